#!/bin/bash
# Checks the Debian package: its name, version and declared dependencies,
# that its files are where an installation puts them, that apt can install
# it here (a simulated `apt-get install ./FILE.deb`), and runs the unpacked
# programs (packaging/test-installed.sh).
#   check-deb.sh FILE.deb VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deb=$(realpath "$1")
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=packaging/checks.sh
source "$here/checks.sh"
check_subject=$(basename "$deb")

field() { dpkg-deb -f "$deb" "$1"; }
check "package gannet-toolchain $version" \
  "$(yes_if [ "$(field Package) $(field Version)" == "gannet-toolchain $version" ])"
depends=$(field Depends)
# The package names of Depends, one a line, without their versions.
depends_on() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$1"; }
for package in imagemagick libc6 libstdc++6 libstb0 libgif7; do
  check "depends on $package" "$(yes_if depends_on "$package")" "$depends"
done

# Mode and path of every file, "./usr/bin/clayhost -rwxr-xr-x".
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6, $1 }' >"$work/contents"
for program in usr/bin/morphon usr/bin/clayhost usr/bin/img2tim usr/bin/tmdgen usr/bin/rsdview \
  usr/bin/rsd2tmd usr/bin/tmdinfo usr/bin/psxview usr/share/gannet/MarbleCLAY/plugin/rsdn.bat; do
  check "holds $program, executable" "$(yes_if grep -qx "./$program -rwxr-xr-x" "$work/contents")"
done
for file in usr/share/gannet/MarbleCLAY/plugin/Gannet.mcp usr/share/gannet/MarbleCLAY/plugin/Skerry.mcp \
  usr/share/gannet/examples/scenes/ship.json usr/share/gannet/examples/script/scene.json \
  usr/share/gannet/examples/script/MarbleCLAY/plugin/SkerryScript.txt \
  usr/share/doc/gannet-toolchain/README.md usr/share/doc/gannet-toolchain/INSTALL.md \
  usr/share/doc/gannet-toolchain/CONSOLE.md usr/share/gannet/console/viewer.bin; do
  check "holds $file" "$(yes_if grep -q "^./$file " "$work/contents")"
done
stray=$(grep -vE '^\./usr/(bin|share/gannet|share/doc/gannet-toolchain)/' "$work/contents" || true)
check "nothing outside bin/, share/gannet/ and its doc folder" "$(yes_if [ -z "$stray" ])" "$stray"

# A fresh machine gets them from the archive.
in_archive() {
  local candidate
  candidate=$(apt-cache policy "$1" | sed -n 's/^ *Candidate: //p')
  [[ -n $candidate && $candidate != "(none)" ]]
}
for package in $(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//'); do
  check "$package is in the package archive" "$(yes_if in_archive "$package")"
done

# What apt would do on this machine: every dependency must be installable.
apt_log=$work/apt.log
if apt-get install --simulate --no-install-recommends "$deb" >"$apt_log" 2>&1; then
  check "apt-get can install it" "$(yes_if grep -q '^Inst gannet-toolchain ' "$apt_log")"
else
  check "apt-get can install it" no "$(tail -n3 "$apt_log" | tr '\n' ' ')"
fi

dpkg-deb -x "$deb" "$work/root"
"$here/test-installed.sh" "$work/root/usr" "$version" || failures=$((failures + 1))

exit $((failures > 0))
