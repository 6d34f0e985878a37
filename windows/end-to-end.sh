#!/bin/bash
# End-to-end runs of the shipped 32-bit files under wine32: Gannet.mcp,
# Skerry.mcp and morphon.exe exactly as they ship, loaded and run by the
# 32-bit Windows substitute host and tools. Every run is repeated with the
# POSIX build in the same folder first, and every file either run leaves
# must be the same byte for byte (text that cmd.exe itself writes aside).
#   end-to-end.sh WINE_PREFIX SHIPPED_BUILD HOST_BUILD WORK_FOLDER NATIVE_BUILD
# SHIPPED_BUILD holds the shipped files, HOST_BUILD the 32-bit clayhost.exe,
# img2tim.exe and tmdgen.exe, NATIVE_BUILD the POSIX build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
absolute() { realpath -m -- "$1"; }
prefix=$(absolute "$1")
shipped=$(absolute "$2")
host=$(absolute "$3")
work=$(absolute "$4")
native=$(absolute "$5")
wine_run=("$here/wine-run.sh" "$prefix")
testdata=$here/testdata
scenes=$root/examples/scenes
gannet=$shipped/plugins/Gannet.mcp
skerry=$shipped/plugins/Skerry.mcp

checks=0
failures=0
check() {
  local what=$1
  shift
  checks=$((checks + 1))
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}
same_text() { [[ $(cat "$1") == "$2" ]]; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

for program in "$gannet" "$skerry" "$shipped/packer/morphon.exe" "$host/clayhost/clayhost.exe" \
  "$host/tools/img2tim/img2tim.exe" "$host/tools/tmdgen/tmdgen.exe" "$native/clayhost/clayhost" \
  "$native/plugins/Gannet.mcp" "$native/plugins/Skerry.mcp" "$native/packer/morphon" \
  "$native/tools/img2tim/img2tim"; do
  if [[ ! -e $program ]]; then
    echo "end-to-end: $program is missing"
    exit 1
  fi
done

# Drive C: of each side, with a stand-in rsdn.bat that records its calls and
# the script. ImageMagick and the 32-bit img2tim.exe reach cmd.exe through
# a tools folder on drive Z: at the front of wine's PATH.
drive_c=$prefix/drive_c
native_c=$work/native-c
rm -rf "$drive_c/MarbleCLAY" "$drive_c/Program Files/MarbleCLAY" "$drive_c/gannet-e2e" "$work"
mkdir -p "$drive_c/MarbleCLAY/plugin" "$native_c/MarbleCLAY/plugin" "$drive_c/gannet-e2e" \
  "$native_c/gannet-e2e" "$work/tools" "$work/locales"
cp "$testdata/rsdn.bat" "$testdata/SkerryScript.txt" "$drive_c/MarbleCLAY/plugin/"
printf '#!/bin/sh\necho "$1 $2 $3" >>rsdn-calls.txt\n' >"$native_c/MarbleCLAY/plugin/rsdn.bat"
chmod +x "$native_c/MarbleCLAY/plugin/rsdn.bat"
cp "$testdata/SkerryScript.txt" "$native_c/MarbleCLAY/plugin/"
cp "$here"/imagemagick/* "$host/tools/img2tim/img2tim.exe" "$work/tools/"
ln -s /bin/sh "$work/tools/sh.elf"
export WINEPATH
WINEPATH=$(windows_path "$work/tools")
native_path=$native/tools/img2tim:$PATH

# Runs the POSIX host in FOLDER, keeps what it left in FOLDER.posix, then
# the 32-bit host with the shipped plug-in in FOLDER:
#   both_hosts FOLDER PLUGIN_NAME HOST_ARGUMENTS...
# "PLUGIN" in the arguments stands for the plug-in of each side.
both_hosts() {
  local folder=$1 plugin=$2
  shift 2
  local posix_args=() wine_args=() argument
  for argument in "$@"; do
    posix_args+=("${argument/#PLUGIN/$native/plugins/$plugin}")
    wine_args+=("${argument/#PLUGIN/$shipped/plugins/$plugin}")
  done
  mkdir -p "$folder"
  posix_status=0
  (cd "$folder" && PATH=$native_path "$native/clayhost/clayhost" "${posix_args[@]}" \
    --drive "C=$native_c" >host.log 2>&1) || posix_status=$?
  mv "$folder" "$folder.posix"
  mkdir -p "$folder"
  wine_status=0
  (cd "$folder" && "${wine_run[@]}" "$host/clayhost/clayhost.exe" "${wine_args[@]}" \
    >host.log 2>&1) || wine_status=$?
}

# Every file of the POSIX run's folder, but for those named, equals the 32-bit
# run's, and neither has a file the other lacks:  same_files WHAT A B [SKIP...]
same_files() {
  local what=$1 posix=$2 wine=$3
  shift 3
  local skip=(host.log "$@") exclude=() name
  for name in "${skip[@]}"; do
    exclude+=(-x "$name")
  done
  check "$what: the same $(find "$posix" -type f | wc -l) files, each byte for byte" \
    diff -r "${exclude[@]}" "$posix" "$wine"
}

# Exports SCENE through Gannet.mcp on both sides in the folder NAME, with the
# launch question answered ANSWER; rsdn.bat must have run once with MODE:
#   export_both NAME SCENE ANSWER MODE EXPECTED_FILE...
export_both() {
  local folder=$work/$1 scene=$2 answer=$3 mode=$4
  local base
  base=$(basename "${scene%.*}")
  shift 4
  both_hosts "$folder" Gannet.mcp export --plugin PLUGIN --scene "$scene" --out "$base.rsd" \
    --answer "Launch NO\$PSX?=$answer" --transcript boxes.jsonl
  check "the export answers 1 on both" test "$posix_status$wine_status" = 00
  check "written: $*" bash -c 'cd "$0" && for f in "$@"; do test -s "$f" || exit 1; done' \
    "$folder" "$@"
  same_files "$(basename "$folder")" "$folder.posix" "$folder" rsdn-calls.txt
  check "rsdn.bat ran by cmd.exe in the export folder with: $base 1.0 $mode" \
    same_text "$folder/rsdn-calls.txt" "$base 1.0 $mode"$'\r'
}

echo "-- Gannet.mcp exports the untextured cube.obj, launch question answered no"
export_both cube "$scenes/cube.obj" no 0 cube.rsd cube.ply cube.mat cube.PSX

echo "-- Gannet.mcp exports the textured ship.json, launch question answered yes"
export_both ship "$scenes/ship.json" yes 1 ship.rsd ship0.bmp ship0-resized.bmp ship0.tim ship1.tim

echo "-- Gannet.mcp exports cube.obj for a user whose decimal separator is a comma"
# The POSIX side needs the locale compiled; wine has its own.
localedef -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" >/dev/null 2>&1 || true
LOCPATH=$work/locales LC_ALL=de_DE.UTF-8 export_both cube-de "$scenes/cube.obj" no 0 cube.ply
check "the PLY file has commas for decimal points" grep -q '[0-9],[0-9]' "$work/cube-de/cube.ply"

echo "-- Skerry.mcp runs SkerryScript.txt: OBJ, MTL and RSD exports and a command line"
assets=gannet-e2e/assets
both_hosts "$work/skerry" Skerry.mcp tool --plugin PLUGIN --scene "$testdata/crate.json" \
  --transcript boxes.jsonl
check "the script stops at !quit: MCP_ToolSwitch answers 0 on both" \
  bash -c "grep -q 'MCP_ToolSwitch answered 0' '$work/skerry.posix/host.log' &&
           grep -q 'MCP_ToolSwitch answered 0' '$work/skerry/host.log'"
same_files "the transcript" "$work/skerry.posix" "$work/skerry"
check "OBJ, MTL, BMP and RSD files written" bash -c "cd '$drive_c/$assets' &&
  test -s crate.obj && test -s crate.mtl && test -s barrel0.bmp && test -s crate.rsd"
same_files "the asset folder" "$native_c/$assets" "$drive_c/$assets" rsdn-calls.txt line-ran.txt
check "rsdn.bat ran with: crate 1.0 0" same_text "$drive_c/$assets/rsdn-calls.txt" $'crate 1.0 0\r'
check "the command line ran in the asset folder" \
  same_text "$drive_c/$assets/line-ran.txt" $'a script line ran\r'
check "nothing after !quit ran" test ! -e "$drive_c/$assets/never.txt"

echo "-- morphon.exe packs frames with tweens, loop-back and boxes"
mkdir -p "$work/frames" "$work/frames.posix"
"${wine_run[@]}" "$host/tools/tmdgen/tmdgen.exe" "$work/frames" 6 40 >/dev/null
"$native/tools/tmdgen/tmdgen" "$work/frames.posix" 6 40 >/dev/null
same_files "tmdgen.exe's frames" "$work/frames.posix" "$work/frames"
status=0
(cd "$work/frames.posix" && "$native/packer/morphon" -T4 -L -MM >"$work/morphon-posix.log" 2>&1) ||
  status=$?
(cd "$work/frames" && "${wine_run[@]}" "$shipped/packer/morphon.exe" -T4 -L -MM \
  >"$work/morphon.log" 2>&1) || status=$((status + $?))
check "morphon ends with status 0 on both" test "$status" -eq 0
check "the same output, with CR LF line ends" \
  cmp -s "$work/morphon.log" <(sed -z 's/\n/\r\n/g' "$work/morphon-posix.log")
# The text files of morphon.exe end their lines with CR LF.
for file in "$work"/frames.posix/frame*_minmax.txt; do
  sed -i -z 's/\n/\r\n/g' "$file"
done
same_files "MORPHON.PCK, the boxes and the frames" "$work/frames.posix" "$work/frames"

echo "-- the release zip's sample rsdn.bat converts the exported ship with rsd2tmd.exe"
sample=$work/sample
mkdir -p "$sample/plugin" "$sample/export"
cp "$root/tools/rsdn/windows/rsdn.bat" "$shipped/tools/rsd2tmd/rsd2tmd.exe" "$sample/plugin/"
cp "$work"/ship.posix/ship.{rsd,ply,mat} "$work"/ship.posix/ship{0,1}.tim "$sample/export/"
"$native/tools/rsd2tmd/rsd2tmd" "$sample/export/ship.rsd" -o "$sample/ship-posix.tmd" >/dev/null
: >"$sample/report.txt"
(cd "$sample/export" && GANNET_HOST_REPORT=$(windows_path "$sample/report.txt") \
  "${wine_run[@]}" cmd.exe /C "$(windows_path "$sample/plugin/rsdn.bat")" ship 1.0 0 \
  >"$sample/rsdn.log" 2>&1) || true
check "ship.tmd equals the POSIX rsd2tmd's byte for byte" \
  cmp "$sample/ship-posix.tmd" "$sample/export/ship.tmd"
check "rsdn.log in the export folder tells the conversion" \
  grep -q "rsdn: converted ship.rsd to ship.tmd at scale 1.0" "$sample/export/rsdn.log"
check "the host's report file has the same lines" \
  cmp -s "$sample/export/rsdn.log" "$sample/report.txt"

echo "end-to-end: $((checks - failures)) passed, $failures failed"
exit $((failures > 0))
