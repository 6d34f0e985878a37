#!/bin/bash
# The Windows deliverables and the Win32 code, tested for real:
#   1. builds Gannet.mcp, Skerry.mcp and morphon.exe for 32-bit Windows (the
#      shipped files) and checks them;
#   2. builds the 64-bit Windows tests, substitute host and plug-ins (32-bit
#      Windows programs cannot run here) and runs them under wine64.
#   3. runs one export, one script and one morphon run end to end under wine64
#      and, where the native build (default: build/) has the same programs,
#      compares their files with the native ones byte for byte.
# Usage: scripts/test-windows.sh [BUILD_FOLDER [NATIVE_BUILD]]
#   (defaults: build-windows, build)
# Installs nothing: scripts/setup.sh brings mingw-w64 and wine64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-windows}
mkdir -p "$out"
out=$(cd "$out" && pwd)
native=${2:-$root/build}
jobs=$(nproc)
wine_prefix=$out/wineprefix
wine_run=("$root/windows/wine-run.sh" "$wine_prefix")

step() { printf '\n== %s\n' "$*"; }

cross_configure() {
  local toolchain=$1 build=$2
  shift 2
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$toolchain" \
    -DCMAKE_PROJECT_gannet_toolchain_INCLUDE="$root/windows/cross-build.cmake" \
    -DGANNET_BUILD_BENCHMARKS=OFF "$@" >/dev/null
}

plugin_exports=(MCP_InitializePluginProc MCP_PluginEntry MCP_GetPluginInfo MCP_ReleasePlugin)

step "32-bit Windows deliverables"
shipped=$out/i686
# -O2 like the native build: GCC 12 reports false -Wrestrict faults at -O3.
cross_configure mingw-i686.cmake "$shipped" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_SHARED_LINKER_FLAGS_RELEASE=-s \
  -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s -DGANNET_BUILD_HOST_TOOLS=OFF
cmake --build "$shipped" --target gannet_plugin skerry_plugin morphon -j"$jobs"

step "Checks of the 32-bit files"
check_pe=$root/windows/check-pe-file.sh
"$check_pe" "$shipped/hostplugin/Gannet.mcp" dll \
  --exports "${plugin_exports[@]}" MCP_GetExporterInfo MCP_ExecuteExport
"$check_pe" "$shipped/hostplugin/Skerry.mcp" dll \
  --exports "${plugin_exports[@]}" MCP_GetToolInfo MCP_ToolSwitch \
  --bitmap Skerry_tool 22 26 24
"$check_pe" "$shipped/packer/morphon.exe" exe

step "64-bit Windows build for wine"
# The prefix is made once, before anything runs in parallel in it.
"${wine_run[@]}" cmd.exe /C exit >/dev/null 2>&1
under_wine=$out/x86_64
# The tests are run directly below, so nothing runs under wine at build time.
cross_configure mingw-x86_64.cmake "$under_wine" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$root/windows/wine-run.sh;$wine_prefix"
wine_tests=(
  platform/platform_win32_test
  exportlib/exportlib_test
  clayhost/plugin_library_win32_test
  hostplugin/hostplugin_test
  hostplugin/plugin_exports_test
  packer/morphon_unit_test
)
targets=(clayhost gannet_plugin skerry_plugin morphon tmdgen)
for test in "${wine_tests[@]}"; do
  targets+=("$(basename "$test")")
done
cmake --build "$under_wine" --target "${targets[@]}" -j"$jobs"

step "Tests under wine64"
failed=()
for test in "${wine_tests[@]}"; do
  echo "-- $test"
  if ! (cd "$under_wine/$(dirname "$test")" &&
    "${wine_run[@]}" "./$(basename "$test").exe" --gtest_brief=1); then
    failed+=("$test")
  fi
done

step "End to end under wine64"
"$root/windows/end-to-end.sh" "$wine_prefix" "$under_wine" "$out/end-to-end" "$native" ||
  failed+=(end-to-end)

if ((${#failed[@]})); then
  echo "Windows tests failed: ${failed[*]}"
  exit 1
fi
echo "Windows build and tests passed."
