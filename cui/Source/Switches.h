// SPDX-License-Identifier: Apache-2.0
// Process-wide switches of tarn: false at start, set once from the parsed command line.
#pragma once

extern bool verbose; // -v: library loading and the supported-queue scan on standard error
extern bool debug;   // -d: every device call, the byte dumps, the queue-to-URI map
extern bool dryrun;  // -n: no library; stand-in functions that succeed without a printer
