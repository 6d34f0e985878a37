#!/bin/bash
# The main job on the bundled examples: installs what is missing, builds, then
#   1. packs a generated animation with morphon (tweens, loop-back, boxes);
#   2. exports the textured example ship with Gannet.mcp in the substitute
#      host, answering the launch question, with ImageMagick and img2tim;
#   3. draws the export's video memory and its model with rsdview, and takes
#      a model made in Blender by someone else (the fish in
#      examples/models/blub) through export, rsd2tmd and rsdview too;
#   4. runs the example SkerryScript.txt with Skerry.mcp;
#   5. runs the whole chain on the hopping box: a SkerryScript.txt exports
#      each frame, rsdn.bat converts it to TMD with rsd2tmd, morphon packs the
#      frames with tweens, rsdview anim draws the pack;
#   6. puts the ship and the hopping box on the console: psxview wraps each
#      into a PS-EXE of the console program, which runs in two emulators; their
#      screenshots stand beside rsdview's picture through the same camera.
# Everything it makes goes to out/ (or $1), which it lays anew.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/out}
build=$root/build

"$root/scripts/setup.sh"
echo "Building in $build ..."
"$root/scripts/build.sh" "$build" >"$root/build.log" 2>&1 || {
  tail -40 "$root/build.log"
  exit 1
}
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

heading() { printf '\n=== %s\n\n' "$*"; }

heading "1. morphon: pack a generated animation (morphon -T4 -L -MM)"
mkdir -p "$out/animation"
"$build/tools/tmdgen/tmdgen" "$out/animation" 8 64
(cd "$out/animation" && "$build/packer/morphon" -T4 -L -MM)
echo
ls -l "$out/animation"

heading "2. Gannet.mcp: export the textured ship through clayhost"
"$root/examples/export/run-example.sh" "$build" "$out/export"

heading "3. rsdview: the export's video memory and its model, as pictures"
"$build/tools/rsdview/rsdview" vram "$out/export/ship.rsd" -o "$out/export/vram.png"
echo
"$build/tools/rsdview/rsdview" model "$out/export/ship.rsd" -o "$out/export/model.png"
echo
echo "Pictures: $out/export/vram.png (video memory), $out/export/model.png (the model from four sides)"
echo
echo "--- a model made by someone else: the fish from Blender, examples/models/blub"
"$root/examples/models/run-model.sh" "$build" "$out/fish"
echo
echo "Pictures: $out/fish/model.png (the fish from four sides), $out/fish/vram.png"

heading "4. Skerry.mcp: run the example SkerryScript.txt through clayhost"
cp -r "$root/examples/script" "$out/script"
"$build/clayhost/clayhost" tool --plugin "$build/plugins/Skerry.mcp" \
  --scene "$out/script/scene.json" --drive "C=$out/script" \
  --transcript "$out/script/messages.jsonl"
echo
echo "Files in $out/script/skerry-out:"
ls -l "$out/script/skerry-out"

heading "5. The chain: export each frame, convert to TMD, pack with tweens, preview"
"$root/examples/animation/run-animation.sh" "$build" "$out/hop"
echo
echo "Files in $out/hop/drive-c/hop:"
ls "$out/hop/drive-c/hop"
echo "Pictures: $out/hop/drive-c/hop/hop.png (every stored frame), $out/hop/drive-c/hop/hop.gif (animated)"

heading "6. psxview: the ship and the hopping box on the console, in two emulators"
mkdir -p "$out/console"
console=$out/console
ship=$out/export
hop=$out/hop/drive-c/hop
"$build/tools/rsd2tmd/rsd2tmd" "$ship/ship.rsd" -o "$console/ship.tmd"
"$build/tools/psxview/psxview" "$console/ship.tmd" "$ship/ship0.tim" "$ship/ship1.tim" \
  --view three-quarter -o "$console/SHIP.EXE"
"$build/tools/psxview/psxview" "$hop/hop0.tmd" --pack "$hop/MORPHON.PCK" --view three-quarter \
  -o "$console/HOP.EXE"
# The pictures show one chosen frame of the pack, so that they can be compared.
"$build/tools/psxview/psxview" "$hop/hop0.tmd" --pack "$hop/MORPHON.PCK" --view three-quarter \
  --frame 10 -o "$console/hop-frame10.exe"
"$build/tools/rsdview/rsdview" model "$console/ship.tmd" --tim "$ship/ship0.tim" \
  --tim "$ship/ship1.tim" --views three-quarter --camera console -o "$console/ship-rsdview.png"
"$build/tools/rsdview/rsdview" anim "$hop/MORPHON.PCK" --tmd "$hop/hop0.tmd" --view three-quarter \
  --camera console -o "$console/hop-rsdview-sheet.png"
convert "$console/hop-rsdview-sheet.png" -crop 320x240+640+240 +repage "$console/hop-rsdview.png"
for emulator in beetle pcsxr; do
  "$root/scripts/console-screenshot.sh" "$emulator" "$console/SHIP.EXE" "$console/ship-$emulator.png"
  "$root/scripts/console-screenshot.sh" "$emulator" "$console/hop-frame10.exe" \
    "$console/hop-$emulator.png"
done
for model in ship hop; do
  convert "$console/$model-rsdview.png" "$console/$model-beetle.png" "$console/$model-pcsxr.png" \
    +append "$console/$model.png"
done
rm "$console/hop-frame10.exe" "$console/hop-rsdview-sheet.png"
echo
echo "Console programs: $console/SHIP.EXE, $console/HOP.EXE (run one in an emulator: docs/CONSOLE.md)"
echo "Pictures: $console/ship.png and $console/hop.png: rsdview, then retroarch's beetle-psx,"
echo "then pcsxr; each emulator's alone in $console/*-beetle.png and $console/*-pcsxr.png"

heading "Done: everything is in $out"
