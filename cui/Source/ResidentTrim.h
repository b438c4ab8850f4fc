// SPDX-License-Identifier: Apache-2.0
// Keeps a long read-only file mapping from filling the tool's resident memory while it is sent.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

// While it lives, drops the resident pages of [base, base + bytes) whenever the tool's resident
// size has grown by a few MiB, looking every millisecond. The
// device library reads a command text once, front to back, and every page it has passed would
// otherwise stay resident until the tool ends. Only for pages of a file mapping that are never
// written: dropping them loses nothing, and a page read again comes back from the page cache.
// Does nothing for a range of a few MiB or less.
class ResidentTrim {
public:
    ResidentTrim(const void* base, std::size_t bytes);
    ~ResidentTrim();
    ResidentTrim(const ResidentTrim&) = delete;
    ResidentTrim& operator=(const ResidentTrim&) = delete;

private:
    void run(long after);

    void* base_;
    std::size_t bytes_;
    int statm_ = -1; // the process's memory figures
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};
