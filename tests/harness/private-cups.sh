#!/usr/bin/env bash
# A private cupsd in a temp root, for tests, benchmarks and the demo.
#
#   private-cups.sh prepare ROOT            lay out ROOT (configs, stub backends and filter)
#   private-cups.sh start ROOT              prepare, start cupsd, wait until it answers, and
#                                           print the client environment as `export` lines
#   private-cups.sh env ROOT                print the client environment again
#   private-cups.sh add-queue ROOT NAME URI [PPD]   add an enabled queue (no PPD when omitted)
#   private-cups.sh stop ROOT               stop that cupsd and remove ROOT
#
# The C++ harness (TempCups) runs `prepare` and starts cupsd itself, so the layout lives here
# only. cupsd listens on ROOT/run/cups.sock only: a taken TCP port leaves cupsd half-running
# and clients hanging, a socket in a fresh folder cannot collide.
# SPDX-License-Identifier: Apache-2.0
set -euo pipefail

# Every URI scheme the tests and the demo give queues; lpadmin refuses a scheme without one.
STUB_BACKENDS=(socket lpd ipp ipps http https dnssd mdns usb vardaUSB serial parallel beh)

die() {
    echo "private-cups.sh: $*" >&2
    exit 1
}

need_root_arg() {
    [ -n "${1:-}" ] || die "missing ROOT"
}

client_env() {
    local root=$1
    cat <<EOF
export CUPS_SERVER='$root/run/cups.sock'
export CUPS_SERVERROOT='$root'
export CUPS_STATEDIR='$root/run'
export CUPS_DATADIR='/usr/share/cups'
export HOME='$root/home'
export TMPDIR='$root/tmp'
export LANG=C
export LC_ALL=C
unset PRINTER LPDEST
EOF
}

prepare() {
    local root=$1
    mkdir -p "$root"
    root=$(cd "$root" && pwd)
    # As root, cupsd refuses a ServerRoot that others may write.
    chmod 755 "$root"
    local d
    for d in log spool/temp cache ppd ssl run home tmp bin/backend bin/filter bin/daemon; do
        mkdir -p "$root/$d"
    done
    chmod 700 "$root/spool/temp"
    ln -sf /usr/lib/cups/daemon/cups-exec "$root/bin/daemon/cups-exec"

    local scheme
    for scheme in "${STUB_BACKENDS[@]}"; do
        # Without arguments a backend lists the devices it can find: none.
        printf '#!/bin/sh\n[ $# -eq 0 ] && exit 0\ncat >/dev/null\nexit 0\n' \
            >"$root/bin/backend/$scheme"
        chmod 755 "$root/bin/backend/$scheme"
    done
    printf '#!/bin/sh\ncat >/dev/null\nexit 0\n' >"$root/bin/filter/commandtops"
    chmod 755 "$root/bin/filter/commandtops"

    cat >"$root/cupsd.conf" <<EOF
LogLevel warn
Listen $root/run/cups.sock
Browsing Off
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
MaxLogSize 0
<Location />
  Order Allow,Deny
</Location>
<Location /admin>
  Order Allow,Deny
</Location>
<Policy default>
  <Limit All>
    Order Allow,Deny
  </Limit>
</Policy>
EOF
    cat >"$root/cups-files.conf" <<EOF
ServerRoot $root
StateDir $root/run
CacheDir $root/cache
DataDir /usr/share/cups
ServerBin $root/bin
RequestRoot $root/spool
TempDir $root/spool/temp
ServerKeychain $root/ssl
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
Printcap $root/printcap
FileDevice Yes
EOF
    touch "$root/.private-cups"
}

wait_ready() {
    local root=$1 pid=$2 tries=0
    # Polls about every 20 ms for up to 10 s.
    while [ $tries -lt 500 ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        if (eval "$(client_env "$root")"; lpstat -r 2>/dev/null) | grep -q "scheduler is running"; then
            return 0
        fi
        tries=$((tries + 1))
        sleep 0.02
    done
    return 1
}

start() {
    local root=$1
    prepare "$root"
    root=$(cd "$root" && pwd)
    if [ -f "$root/run/harness.pid" ] && kill -0 "$(cat "$root/run/harness.pid")" 2>/dev/null; then
        die "a cupsd already runs for $root"
    fi
    cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" </dev/null >>"$root/log/cupsd.out" 2>&1 &
    local pid=$!
    echo "$pid" >"$root/run/harness.pid"
    if ! wait_ready "$root" "$pid"; then
        kill -TERM "$pid" 2>/dev/null || true
        cat "$root/log/error_log" "$root/log/cupsd.out" >&2 2>/dev/null || true
        die "cupsd did not become ready"
    fi
    client_env "$root"
}

add_queue() {
    local root=$1 name=$2 uri=$3 ppd=${4:-}
    root=$(cd "$root" && pwd)
    eval "$(client_env "$root")"
    if [ -n "$ppd" ]; then
        lpadmin -p "$name" -E -v "$uri" -P "$ppd"
    else
        lpadmin -p "$name" -E -v "$uri"
    fi
}

our_cupsd() {
    local root=$1 pid=$2
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF "cupsd -f -c $root/cupsd.conf"
}

# A cupsd whose starting shell has ended is reaped by someone else, maybe late: a zombie
# counts as ended.
alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

stop() {
    local root=$1
    [ -d "$root" ] || return 0
    root=$(cd "$root" && pwd)
    if [ -f "$root/run/harness.pid" ]; then
        local pid tries=0
        pid=$(cat "$root/run/harness.pid")
        # The pid file may outlive its cupsd: signal only the cupsd of this root.
        if our_cupsd "$root" "$pid"; then
            # A TERM that lands just before cupsd enters its wait is seen up to a second
            # later: repeat it.
            while alive "$pid" && [ $tries -lt 250 ]; do
                [ $((tries % 5)) -eq 0 ] && kill -TERM "$pid" 2>/dev/null
                tries=$((tries + 1))
                sleep 0.02
            done
            alive "$pid" && kill -KILL "$pid" 2>/dev/null
        fi
        rm -f "$root/run/harness.pid"
    fi
    # Only a root this script laid out is removed.
    [ -f "$root/.private-cups" ] && rm -rf "$root"
    return 0
}

cmd=${1:-}
shift || true
case "$cmd" in
prepare)
    need_root_arg "${1:-}"
    prepare "$1"
    ;;
start)
    need_root_arg "${1:-}"
    start "$1"
    ;;
env)
    need_root_arg "${1:-}"
    client_env "$(cd "$1" && pwd)"
    ;;
add-queue)
    [ $# -ge 3 ] || die "usage: add-queue ROOT NAME URI [PPD]"
    add_queue "$@"
    ;;
stop)
    need_root_arg "${1:-}"
    stop "$1"
    ;;
*)
    sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac
