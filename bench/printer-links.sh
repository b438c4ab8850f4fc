#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# A settings read through the whole chain (private cupsd, tarn, dexo1.so, the emulator) against
# the status read of the same run, for every kind of printer link the emulator can act: prompt,
# records byte by byte, answers delayed 300 ms, connection kept open, closed after each answer.
# Also a settings read with one setting the model lacks (no answer: the read ends on the idle
# gap after the last record); not against the printer that closes after each answer, where a
# missing answer is a cut.
# Goal: against a prompt printer the settings read costs about what the status read costs
# (within 1.5 x), far below the 10 s read time-out.
#
#   BUILD_DIR=build-bench RUNS=11 bench/printer-links.sh
set -euo pipefail
RUNS=${RUNS:-11}
. "$(dirname "$0")/lib.sh"

bench_start_bed
queue=c9000
tarn="$BUILD_DIR/bin/tarn"
cd "$BUILD_DIR/bin"
# The real time-outs: a read that waited for one would show.
unset DEXO1_MAX_TIMEOUT_MS

# One control line to the emulator; fails unless it answers OK.
control() {
    local answer
    exec 3<>"/dev/tcp/127.0.0.1/$TARN_EMULATOR_CONTROL"
    echo "$*" >&3
    read -r answer <&3
    exec 3>&-
    [ "${answer%% *}" = OK ] || bench_die "control: $* -> $answer"
}
status_read() {
    "$tarn" -p "$queue" -o status -o statusGroup -o inksOfErrorReason -o inkK -o inkC -o inkM \
        -o inkY -o inkMN | grep -q '^status: 600, Status_IL_PAPF$'
}
media=(-o paperSource -o paperShape -o paperForm -o formDetectionType -o formGap -o sideMargin
    -o rightMargin -o edgeHole)
settings_read() {
    "$tarn" -p "$queue" "${media[@]}" | grep -q '^formGap: 72$'
}
lacking_read() {
    "$tarn" -p "$queue" "${media[@]}" -o peelerMode | grep -q '^formGap: 72$'
}

echo "queue $queue, $RUNS runs each, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for behaviour in prompt dribble "delay 300" keep-open close-after; do
    name=${behaviour%% *}
    control behave "$queue" $behaviour
    status_read || bench_die "$name: the status read does not report the ready printer"
    settings_read || bench_die "$name: the settings read does not report formGap 72"
    bench_time status status_read
    bench_time settings settings_read
    bench_show "$name: status read" status
    bench_show "$name: settings read" settings
    bench_result "${name}_status_ms" "$status_median"
    bench_result "${name}_settings_ms" "$settings_median"
    bench_result "${name}_settings_over_status" "$(bench_ratio "$settings_median" "$status_median")"
    if [ "$name" != close-after ]; then
        bench_time lacking lacking_read
        bench_show "$name: settings read, one lacking" lacking
        bench_result "${name}_lacking_ms" "$lacking_median"
        bench_result "${name}_lacking_over_status" "$(bench_ratio "$lacking_median" "$status_median")"
    fi
done
control behave "$queue" prompt
bench_report printer-links
echo "goal: prompt_settings_over_status <= 1.5"
