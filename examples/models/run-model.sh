#!/bin/sh
# A model nobody here made, the way a user takes it from another modeller:
# the substitute host serves its OBJ file to Gannet.mcp, which exports it as
# RSD with its texture; the POSIX rsdn.bat converts it to TMD with rsd2tmd;
# rsdview draws the model and its video memory.
#
#   examples/models/run-model.sh BUILD_DIR [OUT] [MODEL.obj] [SCALE]
#
# MODEL.obj defaults to the bundled fish (examples/models/blub/blub.obj),
# SCALE (the host's export scale; coordinates are written x 10 x SCALE) to
# 100. BUILD_DIR is a configured and built tree (clayhost, Gannet.mcp,
# img2tim, rsd2tmd, rsdview); ImageMagick must be on the PATH. OUT (default
# ./model-export) gets the export as model.rsd, .ply, .mat, model0.tim ...,
# model.tmd, model.png, vram.png and the host's messages.jsonl.
set -eu

build=${1:?usage: run-model.sh BUILD_DIR [OUT] [MODEL.obj] [SCALE]}
out=${2:-model-export}
here=$(cd "$(dirname "$0")" && pwd)
model=${3:-$here/blub/blub.obj}
scale=${4:-100}
# shellcheck source=examples/plugin-drive.sh
. "$here/../plugin-drive.sh"

"$build/clayhost/clayhost" export \
  --plugin "$build/plugins/Gannet.mcp" \
  --scene "$model" \
  --out "$out/model.rsd" \
  --scale "$scale" \
  --drive "C=$drive" \
  --answer "Launch NO\$PSX?=no" \
  --transcript "$out/messages.jsonl"

echo
"$build/tools/rsdview/rsdview" model "$out/model.rsd" -o "$out/model.png" --cull
"$build/tools/rsdview/rsdview" vram "$out/model.rsd" -o "$out/vram.png"
