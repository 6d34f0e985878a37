#!/bin/bash
# The releases, built and checked as users get them:
#   1. `cmake --install` of the native tree (default: build/, built by
#      scripts/build.sh) into a temporary prefix, and a run of the installed
#      programs and plug-ins only;
#   2. the Debian package of that tree: contents, dependencies, a simulated
#      apt install, and a run of its unpacked programs;
#   3. the Windows zip, made with its one command (the windows-zip workflow
#      preset, in build-windows/i686/): file list and PE checks.
# Usage: scripts/test-packages.sh [NATIVE_BUILD]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

step() { printf '\n== %s\n' "$*"; }

step "Installed into a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
"$root/packaging/test-installed.sh" "$work/prefix" "$version"

step "Debian package"
cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
"$root/packaging/check-deb.sh" "$work/deb/gannet-toolchain_${version}_$(dpkg --print-architecture).deb" \
  "$version"

step "Windows zip"
cd "$root"
cmake --workflow --preset windows-zip >"$work/windows-zip.log" 2>&1 ||
  { cat "$work/windows-zip.log"; exit 1; }
"$root/packaging/check-windows-zip.sh" "$root/build-windows/i686/gannet-toolchain-$version-win32.zip" \
  "$version"
