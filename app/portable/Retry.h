#pragma once
// Other programs hold a file for a moment now and then (a virus scanner, the search
// indexer, a cloud-sync client): a file step that meets such a hold is tried again in
// short steps for about two seconds before its failure counts.
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
