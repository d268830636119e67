#!/usr/bin/env bash
# Runs a Windows program under wine, the way CTest runs the cross-built tests:
#   run-under-wine.sh PREFIX PROGRAM [ARGUMENTS...]
# PREFIX is a wine prefix of the build's own, made on first use, so no test touches ~/.wine.
# Without a display none is needed: the programs are console programs. wine's own messages are
# silenced, and it is told not to offer to install its .NET and HTML engines.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  # Several tests may start at once: one makes the prefix, the others wait for it.
  exec 9>"$prefix.lock"
  flock 9
  [ -f "$prefix/system.reg" ] || wineboot --init >/dev/null 2>&1 || true
  wineserver --wait || true
  flock -u 9
fi
exec wine "$@"
