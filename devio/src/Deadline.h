// SPDX-License-Identifier: Apache-2.0
// A point in time by which a wait must end; every blocking step of the library takes one.
#ifndef DEVIO_DEADLINE_H
#define DEVIO_DEADLINE_H

#include <chrono>

namespace devio {

class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(int milliseconds)
        : end_(Clock::now() + std::chrono::milliseconds(milliseconds < 0 ? 0 : milliseconds)) {}

    // Milliseconds left, 0 once passed: the value poll() takes.
    int remainingMs() const {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now());
        if (left.count() <= 0) {
            return 0;
        }
        // Round up so a wait of less than a millisecond is not turned into a busy loop.
        return static_cast<int>(left.count()) + 1;
    }
    bool passed() const { return Clock::now() >= end_; }

    // This deadline or one milliseconds from now, whichever comes first.
    Deadline sooner(int milliseconds) const {
        Deadline other(milliseconds);
        return other.end_ < end_ ? other : *this;
    }

private:
    Clock::time_point end_;
};

// The time-out a caller gave, with -1 (or any negative value) meaning the library's default.
// DEXO1_MAX_TIMEOUT_MS, when set to a positive number, caps every time-out: test beds use it so
// that a silent printer costs them less than the tool's ten seconds.
int effectiveTimeout(int timeoutMs);

// The library's own default for calls without a time-out argument, and for -1.
constexpr int kDefaultTimeoutMs = 5000;

} // namespace devio

#endif
