// SPDX-License-Identifier: Apache-2.0
#include "Dump.h"

#include <cstdarg>
#include <cstring>
#include <string>

namespace {

// isprint() of the C locale, independent of the process locale.
bool isPrintableC(unsigned char c) {
    return c >= 0x20 && c < 0x7f;
}

} // namespace

void PrintBinary(const char* data, size_t length, FILE* out) {
    static const char hex[] = "0123456789ABCDEF";
    // Built in pieces so that a long reply costs a few large writes, not one per byte.
    std::string chunk;
    chunk.reserve(length < 65536 ? length + 16 : 65536 + 16);
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (isPrintableC(c)) {
            chunk.push_back(static_cast<char>(c));
        } else {
            chunk.append("\033[34m\\x");
            chunk.push_back(hex[c >> 4]);
            chunk.push_back(hex[c & 0xf]);
            chunk.append("\033[0m");
        }
        if (chunk.size() >= 65536) {
            fwrite(chunk.data(), 1, chunk.size(), out);
            chunk.clear();
        }
    }
    fwrite(chunk.data(), 1, chunk.size(), out);
}

void PrintBinaryMultilines(const char* data, size_t length, FILE* out) {
    size_t offset = 0;
    while (offset < length && data[offset] != '\0') {
        fprintf(out, "\t\033[36m[%03zu]\033[0m ", offset);
        const void* end = memchr(data + offset, '\n', length - offset);
        if (end == nullptr) {
            PrintBinary(data + offset, length - offset, out);
            return;
        }
        const size_t lineLength = static_cast<const char*>(end) - (data + offset) + 1;
        PrintBinary(data + offset, lineLength, out);
        fputc('\n', out);
        offset += lineLength;
    }
}

void diag(const char* format, ...) {
    fflush(stdout);
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
}
