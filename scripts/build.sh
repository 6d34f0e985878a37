#!/bin/bash
# Configures and builds the native tree of the "release" preset in build/ (or $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" --preset release -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)"
