#!/bin/bash
# Checks the Windows release zip: exactly the files a Windows user needs,
# the PE checks of each program and plug-in, CR LF text files, and the
# sample rsdn.bat.
#   check-windows-zip.sh FILE.zip VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
zip=$(realpath "$1")
version=$2
top=gannet-toolchain-$version-win32
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=packaging/checks.sh
source "$here/checks.sh"
check_subject=$(basename "$zip")

expected=$(printf "$top/%s\n" Gannet.mcp INSTALL.txt Skerry.mcp SkerryScript.txt img2tim.exe \
  morphon.exe psxview.exe rsd2tmd.exe rsdn.bat tmdinfo.exe viewer.bin | LC_ALL=C sort)
found=$(cd "$work" && cmake -E tar tf "$zip" | grep -v '/$' | LC_ALL=C sort)
check "holds exactly the shipped files" "$(yes_if [ "$found" == "$expected" ])" \
  "$(tr '\n' ' ' <<<"$found")"

(cd "$work" && cmake -E tar xf "$zip")
files=$work/$top
"$here/check-shipped-files.sh" "$files/Gannet.mcp" "$files/Skerry.mcp" "$files/morphon.exe" \
  "$files/img2tim.exe" || failures=$((failures + 1))
for program in rsd2tmd.exe tmdinfo.exe psxview.exe; do
  "$root/windows/check-pe-file.sh" "$files/$program" exe || failures=$((failures + 1))
done

# Every line, the last included, ends in CR LF.
has_crlf_lines() {
  local lines crlf
  lines=$(wc -l <"$1")
  crlf=$(grep -c $'\r$' "$1" || true)
  [[ $lines -gt 0 && $lines == "$crlf" && $(tail -c1 "$1") == "" ]]
}
names_both_plugin_folders() {
  grep -qF 'C:\Program Files\MarbleCLAY\Plugin' "$1" && grep -qF 'C:\MarbleCLAY\plugin' "$1"
}
for text in INSTALL.txt SkerryScript.txt rsdn.bat; do
  check "$text has CR LF line ends" "$(yes_if has_crlf_lines "$files/$text")"
done
check "INSTALL.txt names version $version" "$(yes_if grep -q "chain $version for" "$files/INSTALL.txt")"
check "INSTALL.txt names both plug-in folders" "$(yes_if names_both_plugin_folders "$files/INSTALL.txt")"

viewer_image=$root/build-windows/i686/tools/psxview/viewer.bin
check "viewer.bin is the console program the build made" \
  "$(yes_if cmp -s "$viewer_image" "$files/viewer.bin")"

sample=$root/tools/rsdn/windows/rsdn.bat
check "rsdn.bat is $sample" "$(yes_if cmp -s "$sample" "$files/rsdn.bat")"

exit $((failures > 0))
