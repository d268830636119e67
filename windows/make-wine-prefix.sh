#!/usr/bin/env bash
# Makes a wine prefix once, for the cross-built tests:
#   make-wine-prefix.sh PREFIX
# Tests may start at once: the first makes the prefix under a lock while the others wait for it,
# and the prefix counts as made only once wineboot has finished, so no program ever starts in a
# half-made one (wine then fails with "could not load kernel32.dll"). A failed attempt is thrown
# away and tried once more; a second failure is reported as one.
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
made=$prefix/.made-for-tests
[ -f "$made" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$made" ] && exit 0
for attempt in 1 2; do
  if wineboot --init >/dev/null 2>&1 && wineserver --wait &&
     [ -f "$prefix/drive_c/windows/system32/kernel32.dll" ]; then
    touch "$made"
    exit 0
  fi
  wineserver --kill >/dev/null 2>&1 || true
  rm -rf "$prefix"
done
echo "make-wine-prefix.sh: could not make the wine prefix $prefix" >&2
exit 1
