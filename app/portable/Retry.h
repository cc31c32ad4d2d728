#pragma once
// Other programs hold a file for a moment now and then (a virus scanner, the search
// indexer, a cloud-sync client): a file step that meets such a hold is tried again in
// short steps for about two seconds before its failure counts. A failure that waiting
// cannot mend (a folder that takes no new files, a missing file) counts at once.
#include <functional>

struct RetryTimes {
    unsigned stepMs;   // the pause between two attempts
    unsigned totalMs;  // the pauses add up to no more than this
};
inline constexpr RetryTimes HeldFileRetry{50, 2000};

// Runs `attempt` until it succeeds, until it fails for a reason that waiting does not
// mend (`held` answers false right after the failed attempt), or until the pauses have
// added up to `times.totalMs`. True when an attempt succeeded.
bool RetryWhileHeld(const std::function<bool()>& attempt, const std::function<bool()>& held,
                    const std::function<void(unsigned ms)>& pause, RetryTimes times = HeldFileRetry);

// What a file step does, as far as it tells a hold from a refusal.
enum class FileStep {
    OpenExisting,  // opens a file that is there (to read it, or to rewrite it in place)
    CreateNew,     // creates a file under a name of its own beside the list file
    Replace,       // moves the new file over the list file
};
// The system's error numbers that the rule below tells apart (Windows' own values).
namespace FileError {
inline constexpr unsigned long AccessDenied = 5, SharingViolation = 32, LockViolation = 33;
}
// True when `error` on `step` can be another program's passing hold. Sharing and lock
// violations always are. "Access denied" is one where a file is there: a file being
// deleted, or replaced by a scanner, answers it until it is gone. Creating a new file
// where no file of that name is (`nameExists` false) is refused by the folder itself,
// for good.
bool IsPassingHold(FileStep step, unsigned long error, bool nameExists);
