#!/bin/bash
# The whole test suite of the "asan" preset: built with clang-14 under
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ (or $1).
# Every sanitizer report, a leak included, fails the test that caused it.
# Installs nothing: run scripts/setup.sh first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}

# LeakSanitizer stops working under ptrace and in some sandboxes; make sure it
# does find a leak here before trusting a clean run.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf '#include <cstdlib>\nvoid* volatile p;\nint main() { p = std::malloc(64); p = nullptr; }\n' >"$probe/leak.cc"
clang++-14 -fsanitize=address "$probe/leak.cc" -o "$probe/leak"
if ASAN_OPTIONS=detect_leaks=1 "$probe/leak" 2>"$probe/report" ||
  ! grep -q "detected memory leaks" "$probe/report"; then
  echo "LeakSanitizer does not work in this environment:" >&2
  cat "$probe/report" >&2
  exit 1
fi

cd "$root"
cmake --preset asan -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --preset asan --test-dir "$build" -j"$(nproc)"
