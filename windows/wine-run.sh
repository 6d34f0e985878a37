#!/bin/bash
# Runs a 32-bit Windows program under wine32 in its own 32-bit wine prefix,
# headless:
#   wine-run.sh PREFIX PROGRAM [ARGS...]
# wine32 is itself a 32-bit x86 program; on a 64-bit machine it runs through
# qemu-i386, registered with binfmt_misc by scripts/setup.sh. Used as the
# cross build's CMAKE_CROSSCOMPILING_EMULATOR and by scripts/test-windows.sh.
# The exit status is the program's.
set -euo pipefail
prefix=$1
shift
loader=/usr/lib/wine/wine
if [[ ! -x $loader ]]; then
  echo "wine-run.sh: no wine32 loader at $loader (run scripts/setup.sh)" >&2
  exit 127
fi
mkdir -p "$prefix"
export WINEPREFIX WINEARCH=win32
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=-all
# No display here: keep wine from offering to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
exec "$loader" "$@"
