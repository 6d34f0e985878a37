#!/bin/bash
# The Windows deliverables, tested for real as they ship:
#   1. builds Gannet.mcp, Skerry.mcp and morphon.exe for 32-bit Windows (the
#      shipped files, build-windows/i686/) and checks them;
#   2. builds the 32-bit Windows substitute host, tools and unit tests
#      (build-windows/i686-host/) and runs the tests under wine32;
#   3. calls every export of the shipped plug-ins many thousand times from
#      the 32-bit host, checking the stack and the submitted records;
#   4. runs the shipped files end to end under wine32 and compares every
#      output byte for byte with the POSIX build's (default: build/).
# wine32 runs through qemu-i386 (scripts/setup.sh registers it).
# Usage: scripts/test-windows.sh [BUILD_FOLDER [NATIVE_BUILD]]
#   (defaults: build-windows, build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-windows}
mkdir -p "$out"
out=$(cd "$out" && pwd)
native=${2:-$root/build}
jobs=$(nproc)
wine_prefix=$out/wineprefix
wine_run=("$root/windows/wine-run.sh" "$wine_prefix")

step() { printf '\n== %s  (%ss into the Windows stage)\n' "$1" "$SECONDS"; }

cross_configure() {
  local toolchain=$1 build=$2
  shift 2
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$toolchain" \
    -DCMAKE_PROJECT_gannet_toolchain_INCLUDE="$root/windows/cross-build.cmake" \
    -DGANNET_BUILD_BENCHMARKS=OFF -DGANNET_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
}

step "32-bit Windows deliverables"
shipped=$out/i686
# The files users install come from the windows-release preset, as the zip's.
(cd "$root" && cmake --preset windows-release -B "$shipped" >/dev/null)
cmake --build "$shipped" --target gannet_plugin skerry_plugin morphon img2tim rsd2tmd tmdinfo \
  -j"$jobs"

step "Checks of the 32-bit files"
"$root/packaging/check-shipped-files.sh" "$shipped/plugins/Gannet.mcp" \
  "$shipped/plugins/Skerry.mcp" "$shipped/packer/morphon.exe" "$shipped/tools/img2tim/img2tim.exe"

step "wine32 on this machine"
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "32-bit x86 programs do not run here (wine32 missing, or no binfmt_misc registration" \
    "for qemu-i386): run scripts/setup.sh as root; see docs/WINDOWS.md."
  exit 1
fi
# The prefix is made once, before anything runs in it.
"${wine_run[@]}" cmd.exe /C exit >/dev/null 2>&1

step "32-bit Windows host, tools and tests"
host=$out/i686-host
# The tests are run directly below, so nothing runs under wine at build time.
cross_configure mingw-i686.cmake "$host" -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$root/windows/wine-run.sh;$wine_prefix"
wine_tests=(
  platform/platform_win32_test
  exportlib/exportlib_test
  clayhost/plugin_library_win32_test
  hostplugin/hostplugin_test
  plugins/plugin_exports_test
  packer/morphon_unit_test
  tools/img2tim/img2tim_test
  clayhost/mcp_abi_i686_test
)
targets=(clayhost img2tim tmdgen)
for test in "${wine_tests[@]}"; do
  targets+=("$(basename "$test")")
done
cmake --build "$host" --target "${targets[@]}" -j"$jobs"

step "Tests under wine32"
failed=()
for test in "${wine_tests[@]}"; do
  echo "-- $test"
  # The boundary test calls the shipped plug-ins, the others those they test.
  if ! (cd "$host/$(dirname "$test")" && GANNET_PLUGIN_FOLDER=$shipped/plugins \
    "${wine_run[@]}" "./$(basename "$test").exe" --gtest_brief=1); then
    failed+=("$test")
  fi
done

step "The shipped files end to end under wine32"
"$root/windows/end-to-end.sh" "$wine_prefix" "$shipped" "$host" "$out/end-to-end" "$native" ||
  failed+=(end-to-end)

step "Done"
if ((${#failed[@]})); then
  echo "Windows tests failed: ${failed[*]}"
  exit 1
fi
echo "Windows build and tests passed."
