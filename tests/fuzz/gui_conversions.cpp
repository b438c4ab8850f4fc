// SPDX-License-Identifier: Apache-2.0
// tarnqt's conversions of the tool's report values: numbers, packed option keys and back, the
// line-end trim, the marker search and the quoting of a queue name for the shell.
#include "Command.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// The process-wide switches live in the entry's unit, which this target does not link.
bool verbose = false;
bool dryrun = false;

namespace {

// Undoes shellQuoted the way the shell reads it: one single-quoted word, '\'' for a quote.
bool ShellUnquote(const std::string& quoted, std::string& word) {
    word.clear();
    size_t i = 0;
    while (i < quoted.size()) {
        if (quoted[i] == '\'') {
            const size_t close = quoted.find('\'', i + 1);
            if (close == std::string::npos) {
                return false;
            }
            word.append(quoted, i + 1, close - i - 1);
            i = close + 1;
        } else if (quoted.compare(i, 2, "\\'") == 0) {
            word += '\'';
            i += 2;
        } else {
            return false; // anything outside quotes would be read by the shell
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    // Report values come from C strings: they end at the first NUL.
    const std::string value(bytes, size == 0 ? 0 : strnlen(bytes, size));
    const ReplyMap reply{{"key", value}};

    Command::getValueAsInt(reply, "key", 0);
    Command::getValueAsInt(reply, "key", 1);
    FUZZ_CHECK(Command::getValueAsInt(reply, "absent", 0) == 0);

    const int packed = Command::getValueAsKey(reply, "key");
    if (value.empty() || value.size() > 3) {
        FUZZ_CHECK(packed == 0);
    } else {
        bool ascii = true;
        for (unsigned char c : value) {
            ascii = ascii && c >= 0x01 && c <= 0x7F;
        }
        if (ascii) {
            FUZZ_CHECK(Command::getStrForKey(packed) == value);
        }
    }
    if (size >= 4) {
        int32_t key;
        std::memcpy(&key, data, sizeof key);
        const std::string text = Command::getStrForKey(key);
        FUZZ_CHECK(text.size() >= 1 && text.size() <= 3);
    }

    std::vector<char> line(value.begin(), value.end());
    line.push_back('\0');
    trimRightLF(line.data());
    const std::string trimmed(line.data());
    FUZZ_CHECK(trimmed == value.substr(0, value.find('\n')));

    const char* tail = strstr_tail(line.data(), line.size(), "destination: ");
    const size_t at = trimmed.find("destination: ");
    FUZZ_CHECK((tail == nullptr) == (at == std::string::npos));
    if (tail != nullptr) {
        FUZZ_CHECK(tail == line.data() + at + std::strlen("destination: "));
    }

    std::string unquoted;
    const std::string quoted = shellQuoted(value);
    FUZZ_CHECK(ShellUnquote(quoted, unquoted));
    FUZZ_CHECK(unquoted == value);
    return 0;
}
