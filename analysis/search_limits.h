#pragma once

#include <cstdint>
#include <functional>

namespace ovilan {

// How much work a search may do. A search that reaches a limit stops and says so with what it
// found, so no curve, however wild, can keep the window busy.
struct SearchLimits {
    std::int64_t maxEvaluations = 4'000'000;
    int maxResults = 1000;
    // Called now and then with the share of the work done (0 to 1); returning false cancels.
    std::function<bool(double done)> progress;
};

// Counts the evaluations of one search against its limits and passes its progress on.
class SearchBudget {
public:
    explicit SearchBudget(const SearchLimits& limits)
        : limits_(limits)
    {
    }

    // Spends one evaluation; false once the limit is reached.
    bool spend()
    {
        if (++evaluations_ > limits_.maxEvaluations)
            exhausted_ = true;
        return !exhausted_;
    }
    // Reports progress; false once the user has cancelled.
    bool report(double done)
    {
        if (limits_.progress && !cancelled_ && !limits_.progress(done))
            cancelled_ = true;
        return !cancelled_;
    }

    bool stopped() const { return exhausted_ || cancelled_; }
    bool exhausted() const { return exhausted_; }
    bool cancelled() const { return cancelled_; }
    std::int64_t evaluations() const { return evaluations_; }
    int maxResults() const { return limits_.maxResults; }

private:
    const SearchLimits& limits_;
    std::int64_t evaluations_ = 0;
    bool exhausted_ = false;
    bool cancelled_ = false;
};

} // namespace ovilan
