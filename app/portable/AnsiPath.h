#pragma once
// The program keeps every path in the ANSI code page, but the shell hands out paths in
// Unicode, of any length. This decides which bytes a path from the shell becomes, over
// what the platform's conversions answered, so the drop and the folder browser agree.
#include <functional>
#include <optional>
#include <string>

// One conversion of a Unicode path into the ANSI code page: the bytes (unconvertible
// characters replaced by the code page's default character) and whether they name
// exactly the same characters again.
struct AnsiForm {
    std::string bytes;
    bool exact = false;
};

// What a path from the shell becomes: a path the program can store, or a refusal with
// the message to show for it.
struct AnsiPathChoice {
    bool refused = false;
    std::string path;     // the path to use; empty for an empty path (nothing chosen)
    std::string message;  // when refused: what the user is told
};

// The path's own conversion when it is exact, however long; otherwise its short (8.3)
// form when the volume has one (`shortForm` answers nothing when it has not) and that
// converts exactly; otherwise refused, naming the path as far as it converts.
AnsiPathChoice ChooseAnsiPath(const AnsiForm& full, const std::function<std::optional<AnsiForm>()>& shortForm);

// The refusal's message for a path, given as far as it converts.
std::string UnnameablePathMessage(const std::string& shownPath);

// A folder path as the folder list will store it (in a Shift-JIS list the result of
// ChooseAnsiPath, turned back into text; in a UTF-8 or UTF-16 list the path itself), or a
// refusal with the message to show for it.
struct StoredPathChoice {
    bool refused = false;
    std::wstring path;    // empty for an empty path (nothing chosen)
    std::string message;  // when refused: what the user is told
};
