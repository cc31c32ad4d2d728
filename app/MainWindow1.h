#pragma once
// The main window: a narrow always-on-top tool window with the folder list, the launch
// button and a pop-up menu, that slides in from the left edge of the screen.
#include "app/ListFileStore.h"
#include "app/ShellServices.h"
#include "app/portable/ListChanges.h"
#include "controls/GradBox.h"
#include "controls/MCCBox.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

#include <memory>
#include <optional>
#include <string>

class TMainForm1 : public TForm {
public:
    explicit TMainForm1(TComponent* AOwner);
    const char* ClassName() const override { return "TMainForm1"; }
    void Dispatch(TMessage& msg) override;

    // Components, in declaration order.
    TListFileStore* Memo1;
    TButton* Button4;
    TPopupMenu* PopupMenu1;
    TMenuItem* A1;
    TMenuItem* N1;
    TMenuItem* Delete1;
    TMenuItem* N5;
    TGradBox* GradBox1;
    TLabel* Label2;
    TMenuItem* Exit1;
    TMultiColComboBox* MultiColComboBox1;
    TLabel* Label3;
    TMenuItem* N2;
    TTimer* Timer1;

    // Event handlers.
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Button4Click(TObject* Sender);
    void N1Click(TObject* Sender);
    void Delete1Click(TObject* Sender);
    void A1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void MultiColComboBox1Change(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void WMDropFiles(TMessage& msg);
    void WMEndSession(TMessage& msg);

    std::string ListFilePath() const;
    // Appends `MakeEntryString(name, path)` at the end of the folder list.
    void AppendEntry(const std::string& name, const std::string& path);

    // Tests point these elsewhere; the program keeps the defaults.
    void SetServices(IShellServices* services) { FServices = services; }
    void SetExeFolder(const std::string& folder) {
        ExeFolder = folder;
        FProgramFolder = Widen(folder);
        FListFile = Widen(ListFilePath());
    }
    void SetExePath(const std::string& path) { FExePath = path; }

private:
    void CreateComponents();
    std::string AskName(const std::string& folder);
    std::vector<std::string> Entries();
    // Puts `entries` in the list; the selected entry stays selected where it still is.
    void ShowEntries(const std::vector<std::string>& entries);
    // The list file's entries as they are now: none when the file is not there. Throws
    // when it is there but cannot be read, at once or, with `waitForHolds`, after waiting
    // for another program that holds it as the save's steps wait.
    std::vector<std::string> ReadListFileNow(bool waitForHolds = false);
    // The entries the save writes: the window's list while the file is as it was read;
    // once someone edited it, the file as it is now with the window's own changes applied,
    // or nothing at all when the window has none.
    std::optional<std::vector<std::string>> ListToWrite();
    // Writes the list file (ListToWrite), replacing it in one step.
    void SaveList();
    // While the window has no change of its own, shows an edit made to the file outside.
    void FollowListFile();
    // After a failed save: true when the user chooses to close all the same.
    bool CloseWithoutSaving();
    // The selected entry's stored path (empty when nothing is selected).
    std::wstring SelectedFolder();
    // The selected entry's folder is not there: asks whether to delete the entry, and
    // deletes it as the delete command does.
    void OfferToDeleteMissing(const std::wstring& stored, const std::wstring& real, TObject* Sender);

    // The executable's folder and path as far as the program's code page holds them, for
    // messages and the information page; the list file is opened by its UTF-16 path.
    std::string ExeFolder;
    std::string FExePath;
    std::wstring FListFile;
    // The executable's folder, whole: relative paths in the list are taken against it.
    std::wstring FProgramFolder;
    TShellServices FRealServices;
    IShellServices* FServices = &FRealServices;
    // The list file exists but could not be read at start: what the list held then, so
    // the close neither overwrites the file with it unasked nor loses the user's changes.
    bool FLoadFailed = false;
    std::vector<std::string> FEntriesAtLoad;
    // The list file's entries as last read or written, and what the window changed since.
    std::vector<std::string> FFileEntries;
    ListChanges FChanges;
};

extern TMainForm1* MainForm1;
