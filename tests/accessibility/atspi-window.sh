#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The window as assistive technology sees it: a private X server, session bus and accessibility
# bus, the emulated printers behind a private CUPS, tarnqt on the X platform, and a checker that
# reads the window over AT-SPI. Everything started here is stopped on every way out.
#   atspi-window.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/tarn-atspi.XXXXXX")
pids=()
cleanup() {
    trap "" INT TERM HUP # a second signal must not cut the teardown short
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2> /dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2> /dev/null || true; done
    if [ -n "${session_pid:-}" ]; then kill "$session_pid" 2> /dev/null || true; fi
    BUILD_DIR=$build_dir "$source_dir/scripts/testbed" stop "$work/bed" > /dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" INT TERM HUP
# Polls a condition every 0.1 s for at most 30 s.
wait_for() {
    local deadline=$((SECONDS + 30))
    until eval "$1"; do
        [ $SECONDS -lt $deadline ] || { echo "timed out: $1" >&2; return 1; }
        sleep 0.1
    done
}

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A display number of the server's own choosing. Without -noreset the server resets when its
# last client leaves, and with it goes the AT_SPI_BUS root property that at-spi-bus-launcher
# publishes; the toolkit's bridge then falls back to an asynchronous address look-up and
# registers before its accessibility connection is open, never to try again.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset \
    > "$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 30 display <&"$display_fd"
export DISPLAY=:$display

# The private session bus, and the accessibility bus that at-spi-bus-launcher starts on it.
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r session_pid; } < <(dbus-daemon --session --fork \
    --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately > "$work/launcher.log" 2>&1 &
pids+=($!)
get_address() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2> /dev/null | tr -d ' '
}
wait_for 'address=$(get_address); [ -n "$address" ]'
wait_for 'xprop -root AT_SPI_BUS | grep -qF "\"$address\""'
# A screen reader that is running has switched this on.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:ScreenReaderEnabled \
    variant:boolean:true > /dev/null

# The emulated printers and their queues; the window lists them.
eval "$(BUILD_DIR=$build_dir "$source_dir/scripts/testbed" start "$work/bed")"
cd "$TARN_BIN"
QT_QPA_PLATFORM=xcb LANG=C LC_ALL=C ./tarnqt > "$work/tarnqt.log" 2>&1 &
pids+=($!)

# The distribution's Python, which carries the AT-SPI bindings.
if ! /usr/bin/python3 "$source_dir/tests/accessibility/atspi_window.py"; then
    echo "--- tarnqt output" >&2
    grep -v "^call " "$work/tarnqt.log" >&2 || true
    exit 1
fi
