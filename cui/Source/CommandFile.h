// Command-file mode: the file of printer commands sent unchanged, and the reply file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// 280 MiB: a longer command file is refused.
constexpr size_t kMaxCommandBytes = 293601280;

enum class CommandFileStatus {
    Loaded,
    OpenFailed, // missing, unreadable, a directory, or a read error
    TooLarge,   // more than the limit, also when counted while reading a pipe
};

// Reads the file into text: its lines, each followed by "\n" (a last line without one gets it;
// a carriage return stays part of its line).
CommandFileStatus loadCommandFile(const std::string& path, std::string& text,
                                  size_t limit = kMaxCommandBytes);

// The message printed for a failed load (with its line end).
const char* commandFileMessage(CommandFileStatus status);

// Writes the reply up to its first NUL into path (created or truncated); false when the file
// cannot be opened or written.
bool storeReply(const std::string& path, const std::string& reply);

// The reply as PrintBinary shows it, without a line end after it.
void echoReply(const std::string& reply, FILE* out = stdout);
