#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Debian package from the build tree into a scratch folder, checks what it holds,
# reviews it with lintian, installs it with dpkg into a private root and runs the programs from
# there against a private cupsd.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=${1:?build dir}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
harness=$source_dir/tests/harness/private-cups.sh
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarn-package.XXXXXX")
cups="$scratch/cups"
cleanup() {
    "$harness" stop "$cups" || true
    rm -rf "$scratch"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has_children() { cat /proc/"$1"/task/*/children 2> /dev/null | grep -q .; }
for need in cpack dpkg lintian appstreamcli desktop-file-validate dpkg-parsechangelog cupsd groff; do
    command -v $need > /dev/null || { echo "FAIL: $need is missing (./scripts/deps installs it)"; exit 1; }
done

# The package: its own output and staging folders, so the build tree is only read.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" > "$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; echo "FAIL: cpack"; exit 1; }
shopt -s nullglob
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { cat "$scratch/cpack.log"; echo "FAIL: expected one .deb, got ${#debs[@]}"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

# What the package must hold: path, then the mode bits it must have (x: executable) or, for a
# link, its target.
expected=(
    "./opt/varda/tarn-utility/tarn x"
    "./opt/varda/tarn-utility/tarnqt x"
    "./opt/varda/tarn-utility/tr/tarnqt_de.qm -"
    "./opt/varda/tarn-utility/tr/tarnqt_ja.qm -"
    "./opt/varda/varda-printer-io-community/dexo1.so -"
    "./usr/share/applications/tarnqt.desktop -"
    "./usr/share/icons/hicolor/scalable/apps/tarnqt.svg -"
    "./usr/share/icons/hicolor/128x128/apps/tarnqt.png -"
    "./usr/share/icons/hicolor/256x256/apps/tarnqt.png -"
    "./usr/share/man/man1/tarn.1.gz -"
    "./usr/share/man/man1/tarnqt.1.gz -"
    "./usr/share/metainfo/org.example.tarn_utility.tarnqt.metainfo.xml -"
    "./usr/share/doc/tarn-utility/copyright -"
    "./usr/share/doc/tarn-utility/changelog.gz -"
    "./usr/share/lintian/overrides/tarn-utility -"
    "./usr/bin/tarn /opt/varda/tarn-utility/tarn"
    "./usr/bin/tarnqt /opt/varda/tarn-utility/tarnqt"
)
dpkg-deb -c "$deb" > "$scratch/contents"
for row in "${expected[@]}"; do
    read -r path mode <<< "$row"
    line=$(awk -v p="$path" '$6 == p' "$scratch/contents")
    if [ -z "$line" ]; then fail "missing $path"; continue; fi
    case "$mode" in
    /*) [ "$(awk '{print $1, $7, $8}' <<< "$line")" = "lrwxrwxrwx -> $mode" ] ||
            fail "$path is not a link to $mode: $line" ;;
    *) case "$line" in -*) ;; *) fail "$path is not a plain file: $line" ;; esac ;;
    esac
    perms=${line%% *}
    if [ "$mode" = x ] && [ "${perms:3:1}" != x ]; then fail "$path not executable: $perms"; fi
    owner=$(awk '{print $2}' <<< "$line")
    [ "$owner" = root/root ] || fail "$path owned by $owner"
done
# Nothing else: no test programs, emulator, headers or files outside the two install trees.
while read -r perms _ _ _ _ path _; do
    case "$perms" in d*) continue ;; esac
    known=0
    for row in "${expected[@]}"; do [ "${row% *}" = "$path" ] && known=1; done
    [ $known -eq 1 ] || fail "unexpected file in the package: $path"
done < "$scratch/contents"

# Control fields: the libraries the programs link come in as dependencies.
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends Maintainer > "$scratch/control"
grep -qx 'Package: tarn-utility' "$scratch/control" || fail "package name: $(cat "$scratch/control")"
grep -q '^Version: [0-9]' "$scratch/control" || fail "no version"
for lib in libcups2 libqt5widgets5; do
    grep '^Depends:' "$scratch/control" | grep -q "$lib" || fail "Depends lacks $lib: $(grep '^Depends:' "$scratch/control")"
done
# The CJK font draws the Japanese texts; the MNG plug-in animates the cleaning page.
for pkg in cups-daemon qt5-image-formats-plugins fonts-noto-cjk; do
    grep '^Recommends:' "$scratch/control" | grep -qw "$pkg" || fail "Recommends lacks $pkg: $(grep '^Recommends:' "$scratch/control")"
done
maintainer=$(sed -n 's/^Maintainer: //p' "$scratch/control")
case "$maintainer" in
*root@* | *@localhost* | "") fail "Maintainer is not a project address: '$maintainer'" ;;
*" <"*@*.*">") ;;
*) fail "Maintainer is not 'Name <address>': '$maintainer'" ;;
esac
long=$(dpkg-deb -f "$deb" Description | awk 'length > 80')
[ -z "$long" ] || fail "description lines over 80 columns: $long"

# The review a distribution does: no lintian error or warning but the /opt paths, which are
# fixed. Prints the offending tags of one package.
lint_problems() {
    lintian --tag-display-limit 0 "$1" 2>/dev/null | grep -E '^[EW]: ' |
        grep -v '^E: [^ ]*: dir-or-file-in-opt ' || true
}
problems=$(lint_problems "$deb")
[ -z "$problems" ] || fail "lintian: $problems"
# The same review must catch the faults of a careless package: no copyright, root as maintainer.
careless="$scratch/careless"
dpkg-deb -R "$deb" "$careless"
rm "$careless/usr/share/doc/tarn-utility/copyright"
sed -i 's/^Maintainer: .*/Maintainer: root <root@localhost>/' "$careless/DEBIAN/control"
dpkg-deb -b "$careless" "$scratch/careless.deb" > /dev/null
problems=$(lint_problems "$scratch/careless.deb")
for tag in no-copyright-file root-in-contact; do
    grep -q " $tag" <<< "$problems" || fail "lintian missed $tag: $problems"
done

# Installed by dpkg into a private root. Its package database is empty, so the libraries the
# package depends on are not recorded there: they come from this machine (checked by ldd).
root="$scratch/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg --root="$root" --force-depends -i "$deb" > "$scratch/dpkg.log" 2>&1 ||
    { cat "$scratch/dpkg.log"; echo "FAIL: dpkg -i into $root"; exit 1; }
dpkg --root="$root" -s tarn-utility | grep -qx 'Status: install ok installed' || fail "dpkg does not list tarn-utility as installed"
dpkg --root="$root" -L tarn-utility | grep -qx /usr/bin/tarnqt || fail "dpkg -L lacks /usr/bin/tarnqt"
# The /usr/bin links point at /opt; inside the private root they resolve below it.
in_root() { echo "$root$(readlink "$root/usr/bin/$1")"; }
tarn=$(in_root tarn)
tarnqt=$(in_root tarnqt)
bin=$(dirname "$tarn")
[ -x "$tarn" ] && [ -x "$tarnqt" ] || fail "the /usr/bin links do not lead to the programs: $tarn $tarnqt"

# The metadata as software centres and desktops read it (no network: URLs are not fetched).
appstreamcli validate-tree --no-net --pedantic "$root" > "$scratch/appstream" 2>&1 ||
    fail "appstreamcli: $(cat "$scratch/appstream")"
desktop-file-validate "$root/usr/share/applications/tarnqt.desktop" || fail "desktop entry"
grep -q '<launchable type="desktop-id">tarnqt.desktop</launchable>' "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "metainfo does not name the desktop entry"
grep -q '<caption>.' "$root"/usr/share/metainfo/*.metainfo.xml || fail "metainfo has no screenshot caption"
# Licence and changelog in the forms Debian tools read.
copyright="$root/usr/share/doc/tarn-utility/copyright"
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright is not machine-readable: $(head -1 "$copyright")"
grep -qx 'License: Apache-2.0' "$copyright" || fail "copyright names no Apache-2.0 licence"
grep -q 'Apache License' "$source_dir/LICENSE" && grep -q 'Version 2.0' "$source_dir/LICENSE" ||
    fail "LICENSE is not the Apache License 2.0"
version=$(sed -n 's/^Version: //p' "$scratch/control")
logged=$(zcat "$root/usr/share/doc/tarn-utility/changelog.gz" | dpkg-parsechangelog -l- -SVersion)
[ "$logged" = "$version" ] || fail "changelog.gz is at version '$logged', the package at '$version'"
released=$(grep -o '<release version="[^"]*"' "$root"/usr/share/metainfo/*.metainfo.xml | head -1)
[ "$released" = "<release version=\"$version\"" ] || fail "metainfo's newest release is $released, the package $version"

# The installed programs against a private cupsd: a supported queue and one without a PPD,
# which the list leaves out.
# Captured first: a failed start must end the test, not leave the runs on the machine's CUPS.
cups_env=$("$harness" start "$cups") || { echo "FAIL: the private cupsd did not start"; exit 1; }
eval "$cups_env"
"$harness" add-queue "$cups" c9 socket://127.0.0.1:9 "$source_dir/tests/harness/ppd/RV-C9000.ppd" 2> /dev/null
"$harness" add-queue "$cups" bare lpd://h/q 2> /dev/null
(cd "$scratch" && "$tarn" -n -l) > "$scratch/list" 2>&1 || fail "tarn -n -l exited $?"
[ "$(cat "$scratch/list")" = "$(printf 'dryrun mode\ndestination: c9')" ] || fail "tarn -n -l: $(cat "$scratch/list")"
(cd "$scratch" && "$tarn" -n -p c9 -o status) > "$scratch/dryrun" 2>&1 || fail "tarn -n exited $?"
for want in "dryrun mode" "destination: c9" "status: "; do
    grep -q "^$want" "$scratch/dryrun" || fail "tarn -n -p c9 -o status lacks '$want': $(cat "$scratch/dryrun")"
done

# tarnqt has no exit of its own: it runs until its start-up ends with the first status read
# (the last tool run nobody asks for), then it is ended. It runs tarn by its install path, or
# ./tarn from its working directory when this machine has none installed.
tool=./tarn
[ -e /opt/varda/tarn-utility/tarn ] && tool=/opt/varda/tarn-utility/tarn
status_call="call \"$tool -n -p 'c9' -o status "
(cd "$bin" && QT_QPA_PLATFORM=offscreen exec "$tarnqt" -n) > "$scratch/qt.out" 2> "$scratch/qt.err" &
qt=$!
started=0
for _ in $(seq 300); do
    kill -0 $qt 2> /dev/null || break
    # The status run has ended once its line is out and tarnqt has no child left.
    if grep -qF "$status_call" "$scratch/qt.out" && ! has_children $qt; then
        started=1
        break
    fi
    sleep 0.1
done
if kill -0 $qt 2> /dev/null; then
    kill -TERM $qt
    wait $qt || true
else
    wait $qt && code=0 || code=$?
    fail "tarnqt -n ended by itself (exit $code): $(cat "$scratch/qt.out" "$scratch/qt.err")"
fi
[ $started -eq 1 ] || fail "tarnqt -n did not read the status within 30 s: $(cat "$scratch/qt.out")"
grep -qx 'dryrun mode' "$scratch/qt.out" || fail "tarnqt -n did not take the dry run"
grep -q 'FAILED' "$scratch/qt.out" && fail "tarnqt -n: $(grep FAILED "$scratch/qt.out")"
grep -qF "call \"$tool -n -p 'c9' -o deviceOption" "$scratch/qt.out" ||
    fail "tarnqt -n did not find c9 through tarn: $(cat "$scratch/qt.out")"

(cd "$scratch" && "$tarn") > "$scratch/usage" 2>&1 || fail "tarn usage exited $?"
grep -q '^        - head_mediaClearanceHeight \[I/O\]' "$scratch/usage" || fail "usage text: $(head -3 "$scratch/usage")"
for lib in "$tarnqt" "$tarn" "$root/opt/varda/varda-printer-io-community/dexo1.so"; do
    if ldd "$lib" | grep -q 'not found'; then fail "$lib: $(ldd "$lib" | grep 'not found')"; fi
done
for page in tarn tarnqt; do
    warnings=$(zcat "$root/usr/share/man/man1/$page.1.gz" | groff -t -man -Tutf8 -ww -z 2>&1 || true)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q '^\.SH EXIT STATUS' || fail "man page $page has no EXIT STATUS"
done
# tarn(1) names every option letter and every key of the usage text.
mapfile -t keys < <(sed -n 's/^        - \([A-Za-z_]*\).*/\1/p' "$scratch/usage")
[ ${#keys[@]} -gt 0 ] || fail "no keys in the usage text"
page=$(zcat "$root/usr/share/man/man1/tarn.1.gz")
for key in "${keys[@]}"; do
    grep -q "$key" <<< "$page" || fail "tarn(1) does not document $key"
done
for letter in c d f i l n o p u v; do
    grep -q "^\.B[IR]* *\\\\-$letter\b" <<< "$page" || fail "tarn(1) has no entry for -$letter"
done

# Removing the package leaves nothing of it behind (the runs above wrote nothing into it).
dpkg --root="$root" -P tarn-utility > "$scratch/purge.log" 2>&1 || fail "dpkg -P: $(cat "$scratch/purge.log")"
left=$(cd "$root" && find opt usr -mindepth 1 2> /dev/null || true)
[ -z "$left" ] || fail "left after purging: $left"

if [ $failures -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "package checks passed"
