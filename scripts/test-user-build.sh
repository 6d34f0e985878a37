#!/bin/bash
# The build that a user makes with the plain commands of the README, without
# the project's presets:
#   1. the default Release tree (-O3; warnings are shown but do not stop the
#      build) in build-user/ (or $1);
#   2. a configuration as on a machine without GoogleTest and Google Benchmark:
#      it must succeed and leave their targets out with one line each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-user}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"

bare=$build/without-test-libraries
cmake -S "$root" -B "$bare" -DCMAKE_BUILD_TYPE=Release -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$bare.log" 2>&1 || { cat "$bare.log"; exit 1; }
skipped=$(grep -E 'not found|left out' "$bare.log" || true)
expected="-- GoogleTest not found: the tests are left out
-- Google Benchmark not found: the benchmarks are left out"
if [[ $skipped != "$expected" ]]; then
  printf 'Without GoogleTest and Google Benchmark the configuration said:\n%s\nnot:\n%s\n' \
    "$skipped" "$expected" >&2
  exit 1
fi
echo "ok   without GoogleTest and Google Benchmark: configured, their targets left out"
