#!/usr/bin/env bash
# Runs a Windows program under wine, the way CTest runs the cross-built tests:
#   run-under-wine.sh PREFIX PROGRAM [ARGUMENTS...]
# PREFIX is a wine prefix of the build's own, made on first use (make-wine-prefix.sh), so no test
# touches ~/.wine. Without a display none is needed: the programs are console programs. wine's own
# messages are silenced, and it is told not to offer to install its .NET and HTML engines.
set -euo pipefail
prefix=$1
shift
"$(dirname "${BASH_SOURCE[0]}")/make-wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
exec wine "$@"
