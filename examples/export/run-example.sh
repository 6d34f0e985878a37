#!/bin/sh
# Exports the bundled textured ship scene with Gannet.mcp through the
# substitute host, the way MarbleClay would, and leaves the RSD, PLY, MAT,
# TIM and PSX files in OUT (default ./ship-export).
#
#   examples/export/run-example.sh BUILD_DIR [OUT]
#
# BUILD_DIR is a configured and built tree (clayhost, gannet_plugin, img2tim,
# rsd2tmd).
# ImageMagick's identify and convert must be on the PATH.
set -eu

build=${1:?usage: run-example.sh BUILD_DIR [OUT]}
out=${2:-ship-export}
# shellcheck source=examples/plugin-drive.sh
. "$(dirname "$0")/../plugin-drive.sh"

"$build/clayhost/clayhost" export \
  --plugin "$build/plugins/Gannet.mcp" \
  --scene "$source_dir/examples/scenes/ship.json" \
  --out "$out/ship.rsd" \
  --drive "C=$drive" \
  --answer "Launch NO\$PSX?=no" \
  --transcript "$out/messages.jsonl"

echo
echo "Files in $out:"
ls "$out"
echo
echo "What rsdn.bat finds there:"
(cd "$out" && "$drive/MarbleCLAY/plugin/rsdn.bat" ship 1.0 0)
