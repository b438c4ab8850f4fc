// SPDX-License-Identifier: Apache-2.0
// Byte dumps of requests and replies for the -d trace; their bodies go to standard output.
#pragma once

#include <cstddef>
#include <cstdio>

// Printable bytes (C locale, space included) as themselves, every other byte as a blue \xHH.
void PrintBinary(const char* data, size_t length, FILE* out = stdout);

// One numbered line per line end; stops at a NUL byte that starts a line.
void PrintBinaryMultilines(const char* data, size_t length, FILE* out = stdout);

// Diagnostics on standard error; standard output is flushed first so that a dump written there
// keeps its place between the trace lines when both streams go to one file.
void diag(const char* format, ...) __attribute__((format(printf, 1, 2)));
