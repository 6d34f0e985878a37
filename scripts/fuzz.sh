#!/bin/bash
# Builds the libFuzzer targets (clang-14, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each over its corpus in
# fuzz/corpus/<target>/ and then for a while.
#
#   scripts/fuzz.sh               every target for 5 seconds (the test run)
#   scripts/fuzz.sh 600           every target for 600 seconds
#   scripts/fuzz.sh 600 packer    only the named targets
#
# FUZZ_JOBS=2 runs two targets at once; fuzz/<target>.dict, where there is
# one, lends the mutator the format's tokens. New inputs go to build-fuzz/corpus/,
# never into the repository; a finding is saved in build-fuzz/findings/ and
# fails the run. Installs nothing: run scripts/setup.sh first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
seconds=${1:-5}
shift || true
jobs=${FUZZ_JOBS:-1}

targets=("$@")
if ((${#targets[@]} == 0)); then
  for folder in "$root"/fuzz/corpus/*/; do
    targets+=("$(basename "$folder")")
  done
fi

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_C_FLAGS="$sanitize -fsanitize=fuzzer-no-link" \
  -DCMAKE_CXX_FLAGS="$sanitize -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
  -DCMAKE_SHARED_LINKER_FLAGS="$sanitize -Wl,-z,undefs" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/%/_fuzzer}"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/logs" "$build/findings"

# Runs one target; its log ends with libFuzzer's statistics.
run_target() {
  local target=$1
  local scratch=$build/corpus/$target
  local extra=()
  if [[ -f $root/fuzz/$target.dict ]]; then
    extra+=(-dict="$root/fuzz/$target.dict")
  fi
  mkdir -p "$scratch"
  if nice -n 10 "$build/${target}_fuzzer" "$scratch" "$root/fuzz/corpus/$target" "${extra[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" >"$build/logs/$target.log" 2>&1; then
    echo "$target: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/logs/$target.log" |
      grep -o '[0-9]*$') inputs in ${seconds}s, no finding"
  else
    echo "$target: FINDING, see $build/logs/$target.log"
    tail -n 40 "$build/logs/$target.log"
    return 1
  fi
}

failed=0
running=0
for target in "${targets[@]}"; do
  run_target "$target" &
  running=$((running + 1))
  if ((running >= jobs)); then
    wait -n || failed=1
    running=$((running - 1))
  fi
done
while ((running > 0)); do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
