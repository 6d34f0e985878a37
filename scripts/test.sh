#!/bin/bash
# The whole test suite: installs what is missing, then
#   1. the native build and its tests (build/);
#   2. the default Release build that a user makes, and the configuration
#      without the test libraries (build-user/);
#   3. the same suite under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/);
#   4. a short run of every fuzz target (build-fuzz/);
#   5. the 32-bit Windows builds, their checks, their tests and the shipped files
#      end to end under wine32 (build-windows/);
#   6. the console program in two emulators (build/);
#   7. the installed files, the Debian package and the Windows zip.
# Fails as soon as one stage fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

stage() { printf '\n##### %s\n\n' "$*"; }

"$root/scripts/setup.sh"

stage "Native build and tests"
"$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)" -LE emulator

stage "A user's default Release build"
"$root/scripts/test-user-build.sh" "$root/build-user"

stage "Sanitizer build and tests"
"$root/scripts/test-sanitize.sh" "$root/build-asan"

stage "Short fuzz runs"
"$root/scripts/fuzz.sh" 5

stage "Windows builds and tests under wine32"
"$root/scripts/test-windows.sh" "$root/build-windows" "$root/build"

stage "The console program in two emulators"
"$root/scripts/test-console.sh" "$root/build"

stage "Installed files and release packages"
"$root/scripts/test-packages.sh" "$root/build"
