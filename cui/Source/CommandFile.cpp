#include "CommandFile.h"

#include "Dump.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Reads until end of file into text, which may come presized (a regular file of known size);
// more than limit bytes, also from a source that cannot tell its size, is "too large".
CommandFileStatus readAll(int fd, std::string& text, size_t limit) {
    size_t filled = 0;
    char block[65536];
    for (;;) {
        const bool intoText = filled < text.size();
        char* target = intoText ? &text[filled] : block;
        const size_t room = intoText ? text.size() - filled : sizeof block;
        const ssize_t got = read(fd, target, room);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return CommandFileStatus::OpenFailed;
        }
        if (got == 0) {
            break;
        }
        const auto count = static_cast<size_t>(got);
        if (count > limit - filled) {
            return CommandFileStatus::TooLarge;
        }
        if (!intoText) {
            if (text.capacity() - text.size() < count + 1) {
                // Small inputs grow geometrically; a long one gets room up to the limit at once,
                // which costs address space only for pages never written, instead of a copy and
                // a second, doubled buffer for every step of growth.
                const size_t wanted = filled + count + 1 < kGrowInPlaceBelow
                                          ? std::max(text.capacity() * 2, filled + count + 1)
                                          : limit + 1;
                text.reserve(std::min(wanted, limit + 1));
            }
            text.append(block, count);
        }
        filled += count;
    }
    text.resize(filled);
    return CommandFileStatus::Loaded;
}

} // namespace

CommandFileStatus loadCommandFile(const std::string& path, std::string& text, size_t limit) {
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
        // One allocation of the final size: the content plus a possible closing line end.
        text.reserve(size + 1);
        text.resize(size);
    }
    // A regular file may still grow while it is read; the limit holds for what is read.
    const CommandFileStatus status = readAll(file.get(), text, limit);
    if (status != CommandFileStatus::Loaded) {
        text.clear();
        text.shrink_to_fit();
        return status;
    }
    if (!text.empty() && text.back() != '\n') {
        text.push_back('\n');
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
