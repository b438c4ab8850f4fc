// SPDX-License-Identifier: Apache-2.0
// Command-file mode: the file of printer commands sent unchanged, and the reply file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// 280 MiB: a longer command file is refused.
constexpr size_t kMaxCommandBytes = 293601280;

enum class CommandFileStatus {
    Loaded,
    OpenFailed, // missing, unreadable, a directory, or a read error
    TooLarge,   // more than the limit, also when counted while reading a pipe
};

// The command text: the file's lines, each followed by "\n". A regular file is mapped, not
// copied, so a long one costs neither a second pass nor its size in private memory; a source
// that cannot be mapped (a pipe) is read into a string.
class CommandText {
public:
    CommandText() = default;
    ~CommandText();
    CommandText(CommandText&& other) noexcept;
    CommandText& operator=(CommandText&& other) noexcept;
    CommandText(const CommandText&) = delete;
    CommandText& operator=(const CommandText&) = delete;

    std::string_view view() const {
        return mapping_ ? std::string_view(mapping_, length_) : std::string_view(read_);
    }
    bool empty() const { return view().empty(); }

    // Maps size bytes of fd (size > 0) with a closing line end when the last byte is none;
    // false when the file cannot be mapped.
    bool map(int fd, size_t size);
    // The whole pages of the mapped file that are never written (the text's last page may take
    // the added line end): they may be dropped from memory while the text is sent. None for a
    // text that was read.
    const char* droppableBegin() const { return mapping_; }
    size_t droppableBytes() const { return droppableBytes_; }
    // The text read from a source that cannot be mapped.
    std::string& readText() { return read_; }
    void clear();

private:
    char* mapping_ = nullptr;
    size_t length_ = 0;
    size_t mappedBytes_ = 0;
    size_t droppableBytes_ = 0;
    std::string read_;
};

// Loads the file into text (a last line without a line end gets one; a carriage return stays
// part of its line).
CommandFileStatus loadCommandFile(const std::string& path, CommandText& text,
                                  size_t limit = kMaxCommandBytes);

// The message printed for a failed load (with its line end).
const char* commandFileMessage(CommandFileStatus status);

// Writes the reply up to its first NUL into path (created or truncated); false when the file
// cannot be opened or written.
bool storeReply(const std::string& path, const std::string& reply);

// The reply as PrintBinary shows it, without a line end after it.
void echoReply(const std::string& reply, FILE* out = stdout);
