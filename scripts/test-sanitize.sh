#!/bin/bash
# The whole test suite built with clang-14 under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ (or $1). Every sanitizer report,
# a leak included, fails the test that caused it. Installs nothing: run
# scripts/setup.sh first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# LeakSanitizer stops working under ptrace and in some sandboxes; make sure it
# does find a leak here before trusting a clean run.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf '#include <cstdlib>\nvoid* volatile p;\nint main() { p = std::malloc(64); p = nullptr; }\n' >"$probe/leak.cc"
clang++-14 -fsanitize=address "$probe/leak.cc" -o "$probe/leak"
if "$probe/leak" 2>"$probe/report" || ! grep -q "detected memory leaks" "$probe/report"; then
  echo "LeakSanitizer does not work in this environment:" >&2
  cat "$probe/report" >&2
  exit 1
fi

# The plug-ins are shared libraries loaded by instrumented executables, which
# carry the sanitizer runtime: their undefined sanitizer symbols are resolved
# at load time, so the plug-ins' --no-undefined is lifted here (-z undefs).
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DGANNET_BUILD_BENCHMARKS=OFF \
  -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DCMAKE_SHARED_LINKER_FLAGS="$sanitize -Wl,-z,undefs" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
