// SPDX-License-Identifier: Apache-2.0
// Searches in replies that come from the device as a byte count, not as C strings.
#pragma once

#include <cstddef>

// Position just behind the first occurrence of prefix, or nullptr. The text ends at its first
// NUL byte or after length bytes, whichever comes first.
const char* strstr_tail(const char* text, size_t length, const char* prefix);
