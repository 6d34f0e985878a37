#!/bin/bash
# End-to-end runs of the 64-bit Windows build under wine64: one export
# through Gannet.mcp and one SkerryScript.txt through Skerry.mcp, both in the
# Windows substitute host, and one morphon.exe run. With a native build folder
# given, the exported files must equal, byte for byte, those of the POSIX
# build of the same plug-in on the same scene.
#   end-to-end.sh WINE_PREFIX WINDOWS_BUILD WORK_FOLDER [NATIVE_BUILD]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
absolute() { realpath -m -- "$1"; }
prefix=$(absolute "$1")
build=$(absolute "$2")
work=$(absolute "$3")
native=${4:+$(absolute "$4")}
wine_run=("$here/wine-run.sh" "$prefix")
testdata=$here/testdata
clayhost=("${wine_run[@]}" "$build/clayhost/clayhost.exe")

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}
contains() { grep -qF -- "$2" "$1"; }
same_text() { [[ $(cat "$1") == "$2" ]]; }

# A fresh drive C: plug-in folder with the stand-in rsdn.bat and the script.
drive_c=$prefix/drive_c
rm -rf "$drive_c/MarbleCLAY" "$drive_c/Program Files/MarbleCLAY" "$drive_c/gannet-e2e" "$work"
mkdir -p "$drive_c/MarbleCLAY/plugin" "$drive_c/gannet-e2e" "$work/gannet"
cp "$testdata/rsdn.bat" "$testdata/SkerryScript.txt" "$drive_c/MarbleCLAY/plugin/"

echo "-- Gannet.mcp exports crate.json"
status=0
(cd "$work/gannet" && "${clayhost[@]}" export --plugin "$build/hostplugin/Gannet.mcp" \
  --scene "$testdata/crate.json" --out crate.rsd --answer 'Launch NO$PSX?=no' \
  --transcript boxes.jsonl >host.log 2>&1) || status=$?
check "the export answers 1" test "$status" -eq 0
for file in crate.rsd crate.ply crate.mat; do
  check "$file written" test -s "$work/gannet/$file"
done
check "RSD, PLY and MAT carry their magic lines" \
  bash -c "grep -q '^@RSD940102' '$work/gannet/crate.rsd' &&
           grep -q '^@PLY940102' '$work/gannet/crate.ply' &&
           grep -q '^@MAT940801' '$work/gannet/crate.mat'"
check "text files end their lines with CR LF" \
  bash -c "! grep -qv \$'\\r\$' '$work/gannet/crate.ply'"
check "two boxes: the warning about the texture without a TIM size, the launch question" \
  bash -c "[[ \$(grep -c '\"caption\"' '$work/gannet/boxes.jsonl') -eq 2 ]] &&
           grep -qF 'No TIM created because material name (planks)' '$work/gannet/boxes.jsonl' &&
           grep -qF '\"caption\": \"Launch NO\$PSX?\"' '$work/gannet/boxes.jsonl'"
check "the launch question answered no" \
  bash -c "grep -F 'Launch NO\$PSX?' '$work/gannet/boxes.jsonl' | grep -qF '\"answer\": \"no\"'"
check "rsdn.bat ran by cmd.exe in the export folder with: crate 1.0 0" \
  same_text "$work/gannet/rsdn-calls.txt" $'crate 1.0 0\r'

echo "-- Gannet.mcp exports crate.json for a user whose decimal separator is a comma"
mkdir -p "$work/gannet-de"
(cd "$work/gannet-de" && LC_ALL=de_DE.UTF-8 "${clayhost[@]}" export \
  --plugin "$build/hostplugin/Gannet.mcp" --scene "$testdata/crate.json" --out crate.rsd \
  --answer 'Launch NO$PSX?=no' >host.log 2>&1) || true
check "the PLY file is the same with commas for decimal points" \
  cmp -s "$work/gannet-de/crate.ply" <(sed -E 's/([0-9])\.([0-9])/\1,\2/g' "$work/gannet/crate.ply")

echo "-- Skerry.mcp runs SkerryScript.txt"
assets=$drive_c/gannet-e2e/assets
status=0
(cd "$work" && "${clayhost[@]}" tool --plugin "$build/hostplugin/Skerry.mcp" \
  --scene "$testdata/crate.json" --transcript skerry-boxes.jsonl >skerry.log 2>&1) || status=$?
check "the script stops at !quit: MCP_ToolSwitch answers 0" contains "$work/skerry.log" \
  "MCP_ToolSwitch answered 0"
check "!assetpath created the folder" test -d "$assets"
check "OBJ and MTL written" bash -c "test -s '$assets/crate.obj' && test -s '$assets/crate.mtl'"
check "the texture saved as BMP, confirmed by cmd's dir and named in the MTL file" \
  bash -c "test -s '$assets/barrel0.bmp' && grep -q '^map_Kd barrel0.bmp' '$assets/barrel.mtl'"
check "one box, the RSD export's warning about the texture without a TIM size" \
  bash -c "[[ \$(grep -c '\"caption\"' '$work/skerry-boxes.jsonl') -eq 1 ]] &&
           grep -qF 'No TIM created because material name (planks)' '$work/skerry-boxes.jsonl'"
check "RSD written, rsdn.bat run with: crate 1.0 0" \
  bash -c "test -s '$assets/crate.rsd' && [[ \$(cat '$assets/rsdn-calls.txt') == \$'crate 1.0 0\\r' ]]"
check "a command line ran in the asset folder" same_text "$assets/line-ran.txt" $'a script line ran\r'
check "nothing after !quit ran" test ! -e "$assets/never.txt"

echo "-- morphon.exe packs frames"
mkdir -p "$work/frames"
"${wine_run[@]}" "$build/tools/tmdgen/tmdgen.exe" "$work/frames" 4 16 >/dev/null
status=0
(cd "$work/frames" && "${wine_run[@]}" "$build/packer/morphon.exe" -T3 -L -MM \
  >"$work/morphon.log" 2>&1) || status=$?
check "morphon ends with status 0" test "$status" -eq 0
check "morphon prints only the count of stored frames" \
  bash -c "[[ \$(cat '$work/morphon.log') =~ ^$'\r\n'' Frames stored: '[0-9]+$'\r'\$ ]]"
check "MORPHON.PCK and the boxes written" \
  bash -c "test -s '$work/frames/MORPHON.PCK' && test -s '$work/frames/f0.mm'"

# The POSIX build's programs, where that build has them, with their own drive
# C: and a POSIX stand-in for rsdn.bat.
native_c=$work/native-c
mkdir -p "$native_c/MarbleCLAY/plugin" "$native_c/gannet-e2e"
printf '#!/bin/sh\necho "$1 $2 $3" >>rsdn-calls.txt\n' >"$native_c/MarbleCLAY/plugin/rsdn.bat"
chmod +x "$native_c/MarbleCLAY/plugin/rsdn.bat"
cp "$testdata/SkerryScript.txt" "$native_c/MarbleCLAY/plugin/"
if [[ -n $native && -x $native/clayhost/clayhost && -e $native/hostplugin/Gannet.mcp ]]; then
  echo "-- Gannet.mcp of the POSIX build on the same scene"
  mkdir -p "$work/native-gannet"
  (cd "$work/native-gannet" && "$native/clayhost/clayhost" export \
    --plugin "$native/hostplugin/Gannet.mcp" --scene "$testdata/crate.json" --out crate.rsd \
    --answer 'Launch NO$PSX?=no' --drive "C=$native_c" >host.log 2>&1) || true
  for file in crate.rsd crate.ply crate.mat; do
    check "$file equals the POSIX build's" cmp -s "$work/gannet/$file" "$work/native-gannet/$file"
  done
fi
if [[ -n $native && -x $native/clayhost/clayhost && -e $native/hostplugin/Skerry.mcp ]]; then
  echo "-- Skerry.mcp of the POSIX build on the same script"
  (cd "$work" && "$native/clayhost/clayhost" tool --plugin "$native/hostplugin/Skerry.mcp" \
    --scene "$testdata/crate.json" --drive "C=$native_c" >native-skerry.log 2>&1) || true
  for file in crate.obj crate.mtl barrel.obj barrel.mtl barrel0.bmp crate.rsd crate.ply crate.mat; do
    check "script output $file equals the POSIX build's" \
      cmp -s "$assets/$file" "$native_c/gannet-e2e/assets/$file"
  done
fi
if [[ -n $native && -x $native/packer/morphon ]]; then
  echo "-- morphon of the POSIX build on the same frames"
  mkdir -p "$work/native-frames"
  cp "$work"/frames/*.tmd "$work/native-frames/"
  (cd "$work/native-frames" && "$native/packer/morphon" -T3 -L -MM >"$work/native-morphon.log") ||
    true
  check "the same count of stored frames" \
    same_text "$work/morphon.log" "$(sed 's/$/\r/' "$work/native-morphon.log")"
  for file in MORPHON.PCK f0.mm f3.mm; do
    check "morphon's $file equals the POSIX build's" \
      cmp -s "$work/frames/$file" "$work/native-frames/$file"
  done
  check "frame0_minmax.txt equals the POSIX build's, with CR LF line ends" \
    cmp -s "$work/frames/frame0_minmax.txt" \
    <(sed -z 's/\n/\r\n/g' "$work/native-frames/frame0_minmax.txt")
fi

echo "end-to-end: $failures failed"
exit $((failures > 0))
