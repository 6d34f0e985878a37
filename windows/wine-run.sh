#!/bin/bash
# Runs a Windows program under wine64 in its own wine prefix, headless:
#   wine-run.sh PREFIX PROGRAM [ARGS...]
# Used as the cross build's CMAKE_CROSSCOMPILING_EMULATOR (with PREFIX in the
# build folder) and by scripts/test-windows.sh. The exit status is the
# program's.
set -euo pipefail
prefix=$1
shift
loader=
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  if [[ -n $candidate && -x $candidate ]]; then
    loader=$candidate
    break
  fi
done
if [[ -z $loader ]]; then
  echo "wine-run.sh: no wine64 loader found (install wine64)" >&2
  exit 127
fi
mkdir -p "$prefix"
export WINEPREFIX
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=-all
# No display here: keep wine from offering to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
exec "$loader" "$@"
