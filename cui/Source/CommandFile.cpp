// SPDX-License-Identifier: Apache-2.0
#include "CommandFile.h"

#include "Dump.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closing can report a failed write-back; the caller needs to know.
    bool closeChecked() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

constexpr size_t kGrowInPlaceBelow = 1 << 20;

// Reads until end of file into text; more than limit bytes, also from a source that cannot
// tell its size, is "too large".
CommandFileStatus readAll(int fd, std::string& text, size_t limit) {
    char block[65536];
    for (;;) {
        const ssize_t got = read(fd, block, sizeof block);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return CommandFileStatus::OpenFailed;
        }
        if (got == 0) {
            return CommandFileStatus::Loaded;
        }
        const auto count = static_cast<size_t>(got);
        if (count > limit - text.size()) {
            return CommandFileStatus::TooLarge;
        }
        if (text.capacity() - text.size() < count + 1) {
            // Small inputs grow geometrically; a long one gets room up to the limit at once,
            // which costs address space only for pages never written, instead of a copy and a
            // second, doubled buffer for every step of growth.
            const size_t wanted = text.size() + count + 1 < kGrowInPlaceBelow
                                      ? std::max(text.capacity() * 2, text.size() + count + 1)
                                      : limit + 1;
            text.reserve(std::min(wanted, limit + 1));
        }
        text.append(block, count);
    }
}

} // namespace

CommandText::~CommandText() {
    clear();
}

CommandText::CommandText(CommandText&& other) noexcept {
    *this = std::move(other);
}

CommandText& CommandText::operator=(CommandText&& other) noexcept {
    if (this != &other) {
        clear();
        std::swap(mapping_, other.mapping_);
        std::swap(length_, other.length_);
        std::swap(mappedBytes_, other.mappedBytes_);
        std::swap(droppableBytes_, other.droppableBytes_);
        read_.swap(other.read_);
    }
    return *this;
}

void CommandText::clear() {
    if (mapping_) {
        munmap(mapping_, mappedBytes_);
    }
    mapping_ = nullptr;
    length_ = 0;
    mappedBytes_ = 0;
    droppableBytes_ = 0;
    read_.clear();
    read_.shrink_to_fit();
}

bool CommandText::map(int fd, size_t size) {
    clear();
    const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    // Room for a closing line end: one byte past the file lies in the zeroed tail of its last
    // page, or in the anonymous page after it when the size is a whole number of pages. The
    // mapping is private, so the added byte never reaches the file.
    const size_t total = (size + 1 + page - 1) / page * page;
    void* area = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) {
        return false;
    }
    // Read-only: the pages come from the page cache without a private copy, and are read once,
    // front to back, as they are sent.
    if (mmap(area, size, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0) == MAP_FAILED) {
        munmap(area, total);
        return false;
    }
    (void)madvise(area, size, MADV_SEQUENTIAL);
    mapping_ = static_cast<char*>(area);
    mappedBytes_ = total;
    droppableBytes_ = size / page * page;
    length_ = size;
    if (mapping_[size - 1] != '\n') {
        // Only the page that takes the line end becomes writable (and privately copied).
        char* const lastPage = mapping_ + size / page * page;
        if (mprotect(lastPage, page, PROT_READ | PROT_WRITE) != 0) {
            clear();
            return false;
        }
        mapping_[length_++] = '\n';
    }
    return true;
}

CommandFileStatus loadCommandFile(const std::string& path, CommandText& text, size_t limit) {
    text.clear();
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return CommandFileStatus::OpenFailed;
    }
    if (S_ISREG(info.st_mode)) {
        const auto size = static_cast<unsigned long long>(info.st_size);
        if (size > limit) {
            return CommandFileStatus::TooLarge;
        }
        // A file that reports no size (as some system files do) or cannot be mapped is read.
        if (size > 0 && text.map(file.get(), static_cast<size_t>(size))) {
            return CommandFileStatus::Loaded;
        }
    }
    std::string& read = text.readText();
    const CommandFileStatus status = readAll(file.get(), read, limit);
    if (status != CommandFileStatus::Loaded) {
        text.clear();
        return status;
    }
    if (!read.empty() && read.back() != '\n') {
        read.push_back('\n');
    }
    return CommandFileStatus::Loaded;
}

const char* commandFileMessage(CommandFileStatus status) {
    switch (status) {
    case CommandFileStatus::OpenFailed:
        return "Failed to open file.\n";
    case CommandFileStatus::TooLarge:
        return "The input file exceeds the maximum command length.\n";
    case CommandFileStatus::Loaded:
        break;
    }
    return "";
}

bool storeReply(const std::string& path, const std::string& reply) {
    FileDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        return false;
    }
    const size_t length = strnlen(reply.data(), reply.size());
    size_t written = 0;
    while (written < length) {
        const ssize_t put = write(file.get(), reply.data() + written, length - written);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<size_t>(put);
    }
    return file.closeChecked();
}

void echoReply(const std::string& reply, FILE* out) {
    PrintBinary(reply.data(), reply.size(), out);
}
