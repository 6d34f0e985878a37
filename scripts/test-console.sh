#!/bin/bash
# The console program in two emulators: builds the emulator tests in the
# native tree (default: build/, built by scripts/build.sh) and runs them
# (ctest label "emulator"): test cards checked point by point, the ship, a
# real model and frames of the hopping box's pack against rsdview's pictures
# through the console's camera, in retroarch's beetle-psx core and in pcsxr
# (scripts/console-screenshot.sh). Fails when an emulator cannot run.
# Usage: scripts/test-console.sh [NATIVE_BUILD]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)

cmake --build "$build" -j"$(nproc)" --target console_emulator_test
tests=$(ctest --test-dir "$build" -N -L emulator | sed -n 's/^Total Tests: //p')
if [[ ${tests:-0} -eq 0 ]]; then
  echo "test-console.sh: no emulator test in $build: the cross compiler (g++-mipsel-linux-gnu) or" \
    "GoogleTest is missing (scripts/setup.sh installs them)" >&2
  exit 1
fi
ctest --test-dir "$build" --output-on-failure -L emulator
