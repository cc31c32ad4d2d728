#include "app/portable/Retry.h"

bool RetryWhileHeld(const std::function<bool()>& attempt, const std::function<bool()>& held,
                    const std::function<void(unsigned ms)>& pause, RetryTimes times) {
    for (unsigned waited = 0;; waited += times.stepMs) {
        if (attempt()) return true;
        if (!held() || waited + times.stepMs > times.totalMs) return false;
        pause(times.stepMs);
    }
}

bool IsPassingHold(FileStep step, unsigned long error, bool nameExists) {
    if (error == FileError::SharingViolation || error == FileError::LockViolation) return true;
    if (error != FileError::AccessDenied) return false;
    return step != FileStep::CreateNew || nameExists;
}
