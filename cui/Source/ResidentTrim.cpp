// SPDX-License-Identifier: Apache-2.0
#include "ResidentTrim.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// How often the resident size is looked at. At the speed of a local link a few MiB pass in
// this time, so that is about what stays resident.
constexpr std::chrono::milliseconds kLookEvery{1};

// Growth of the resident size that is dropped at the next look; below it the range is not
// walked, so that a wait for the printer's answer costs next to nothing.
constexpr long kDropAboveBytes = 2L << 20;

// A shorter text is not worth a thread: all of it stays resident for as long as it is sent.
constexpr std::size_t kWorthTrimming = std::size_t{4} << 20;

// The process's resident size in bytes, -1 when it cannot be read.
long residentBytes(int statm) {
    char text[128];
    const ssize_t got = statm < 0 ? -1 : pread(statm, text, sizeof text - 1, 0);
    if (got <= 0) {
        return -1;
    }
    text[got] = '\0';
    char* end = nullptr;
    std::strtol(text, &end, 10); // the total size comes first
    const long pages = std::strtol(end, nullptr, 10);
    return pages * sysconf(_SC_PAGESIZE);
}

} // namespace

ResidentTrim::ResidentTrim(const void* base, std::size_t bytes)
    // madvise takes the address as writable memory; the pages are only ever read.
    : base_(const_cast<void*>(base)), bytes_(bytes) {
    if (bytes_ >= kWorthTrimming) {
        // Measured here, before the caller reads anything: growth from the first page on counts.
        statm_ = open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
        const long start = residentBytes(statm_);
        thread_ = std::thread([this, start] { run(start); });
    }
}

ResidentTrim::~ResidentTrim() {
    if (thread_.joinable()) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    if (statm_ >= 0) {
        close(statm_);
    }
}

void ResidentTrim::run(long after) {
    // Without the figure (no /proc), the range is dropped at every look.
    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_for(lock, kLookEvery, [this] { return stop_; })) {
        const long now = residentBytes(statm_);
        if (now < 0 || after < 0 || now - after >= kDropAboveBytes) {
            // A failure only leaves the pages resident.
            (void)madvise(base_, bytes_, MADV_DONTNEED);
            after = residentBytes(statm_);
        }
    }
}
