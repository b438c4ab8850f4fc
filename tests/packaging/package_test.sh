#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder, checks what it holds and
# runs the programs from an unpacked copy.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=${1:?build dir}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarn-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The package: its own output and staging folders, so the build tree is only read.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" > "$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; echo "FAIL: cpack"; exit 1; }
shopt -s nullglob
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { cat "$scratch/cpack.log"; echo "FAIL: expected one .deb, got ${#debs[@]}"; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

# What the package must hold: path, then the mode bits it must have (x: executable).
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
)
dpkg-deb -c "$deb" > "$scratch/contents"
for row in "${expected[@]}"; do
    read -r path mode <<< "$row"
    line=$(awk -v p="$path" '$6 == p' "$scratch/contents")
    if [ -z "$line" ]; then fail "missing $path"; continue; fi
    case "$line" in -*) ;; *) fail "$path is not a plain file: $line" ;; esac
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
dpkg-deb -f "$deb" Package Version Architecture Depends > "$scratch/control"
grep -qx 'Package: tarn-utility' "$scratch/control" || fail "package name: $(cat "$scratch/control")"
grep -q '^Version: [0-9]' "$scratch/control" || fail "no version"
for lib in libcups2 libqt5widgets5; do
    grep '^Depends:' "$scratch/control" | grep -q "$lib" || fail "Depends lacks $lib: $(grep '^Depends:' "$scratch/control")"
done

# The unpacked programs.
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
bin="$root/opt/varda/tarn-utility"
# No CUPS server is reachable at this socket, so the run cannot touch the machine's queues.
export CUPS_SERVER="$scratch/no-cupsd.sock"
(cd "$scratch" && "$bin/tarn" -n -p q -o status) > "$scratch/dryrun" 2>&1 || fail "tarn -n exited $?"
for want in "dryrun mode" "destination: q" "status: "; do
    grep -q "^$want" "$scratch/dryrun" || fail "tarn -n -p q -o status lacks '$want': $(cat "$scratch/dryrun")"
done
(cd "$scratch" && "$bin/tarn") > "$scratch/usage" 2>&1 || fail "tarn usage exited $?"
grep -q '^        - head_mediaClearanceHeight \[I/O\]' "$scratch/usage" || fail "usage text: $(head -3 "$scratch/usage")"
for lib in "$bin/tarnqt" "$bin/tarn" "$root/opt/varda/varda-printer-io-community/dexo1.so"; do
    if ldd "$lib" | grep -q 'not found'; then fail "$lib: $(ldd "$lib" | grep 'not found')"; fi
done
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$root/usr/share/applications/tarnqt.desktop" || fail "desktop entry"
fi
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

if [ $failures -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "package checks passed"
