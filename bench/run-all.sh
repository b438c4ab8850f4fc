#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs every benchmark script in turn; BUILD_DIR, RUNS and BENCH_WRITE_BASELINE pass through.
set -euo pipefail
here=$(dirname "$0")
for bench in status-read printer-links list-queues command-file gui-startup; do
    echo "== $bench"
    "$here/$bench.sh"
    echo
done
