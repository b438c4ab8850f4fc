// SPDX-License-Identifier: Apache-2.0
#include "BoundedSearch.h"

#include <cstring>
#include <string_view>

const char* strstr_tail(const char* text, size_t length, const char* prefix) {
    if (text == nullptr || prefix == nullptr) {
        return nullptr;
    }
    const std::string_view haystack(text, strnlen(text, length));
    const size_t at = haystack.find(prefix);
    if (at == std::string_view::npos) {
        return nullptr;
    }
    return text + at + strlen(prefix);
}
