#!/bin/sh
# The whole chain on the bundled hopping box, the way a user would run it:
#   1. Skerry.mcp runs SkerryScript.txt in the substitute host: one
#      !rsdexport a frame, and the POSIX rsdn.bat converts each export to a
#      TMD file with rsd2tmd;
#   2. morphon packs the TMD files with 4 tweens a segment and the loop back
#      (-T4 -L) into MORPHON.PCK;
#   3. rsdview anim draws every stored frame as a contact sheet, and as an
#      animated GIF.
#
#   examples/animation/run-animation.sh BUILD_DIR [OUT]
#
# BUILD_DIR is a configured and built tree (clayhost, Skerry.mcp, img2tim,
# rsd2tmd, morphon, rsdview). OUT (default ./hop-animation) gets drive-c/,
# the host's drive C:, whose hop/ folder holds the exported frames, their
# TMD files, MORPHON.PCK, hop.png and hop.gif.
set -eu

build=${1:?usage: run-animation.sh BUILD_DIR [OUT]}
out=${2:-hop-animation}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=examples/plugin-drive.sh
. "$here/../plugin-drive.sh"
cp "$here/MarbleCLAY/plugin/SkerryScript.txt" "$drive/MarbleCLAY/plugin/"

echo "--- SkerryScript.txt: export and convert every frame"
"$build/clayhost/clayhost" tool --plugin "$build/plugins/Skerry.mcp" \
  --scene "$here/scene.json" --drive "C=$drive" \
  --transcript "$out/messages.jsonl"
frames="$drive/hop"

echo
echo "--- morphon -T4 -L in $frames"
(cd "$frames" && "$build/packer/morphon" -T4 -L)

echo
echo "--- rsdview anim: every stored frame on hop0.tmd's polygons"
"$build/tools/rsdview/rsdview" anim "$frames/MORPHON.PCK" --tmd "$frames/hop0.tmd" \
  -o "$frames/hop.png" --gif
