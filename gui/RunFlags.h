// SPDX-License-Identifier: Apache-2.0
// Process-wide switches of tarnqt: written while the arguments are scanned, read-only afterwards.
#pragma once

extern bool verbose; // diagnostics on standard error (page changes, image formats, command echo)
extern bool dryrun;  // every run of tarn gets " -n" and works without a printer
