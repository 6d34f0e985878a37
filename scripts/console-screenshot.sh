#!/bin/bash
# Runs psxview's console program (a VIEW.EXE) in one of two emulators from
# Debian, headless, and saves what it shows as a 320 x 240 PNG picture:
#
#   scripts/console-screenshot.sh beetle|pcsxr PROGRAM.EXE OUT.png [FRAMES]
#
# beetle: retroarch with the libretro core of beetle-psx and null drivers;
#   the core wants a BIOS file but loads the program straight away, so a
#   512 KiB file of zeros serves: the program must make no BIOS call and
#   take no interrupt. The picture is frame FRAMES (default 120: a model of
#   14,000 polygons takes 15 frames to draw here); colours in 15 bits (255
#   shows as 248).
# pcsxr: pcsxr with its built-in HLE BIOS, the interpreter and the OpenGL
#   GPU plug-in under Xvfb (the software plug-in refuses Xvfb), configured
#   beforehand since -nogui asks nothing; the picture is its window once the
#   viewer's frame report shows (from its second frame on), taken with
#   ImageMagick's import (FRAMES is not used). Its window is 640 x 240: every
#   second column is kept. It ignores SIGTERM: it is ended with SIGKILL.
# Exits 0 with the picture written, 1 when the emulator could not run or
# showed nothing (with its log on standard error), 2 for a usage error.
set -euo pipefail

usage() {
  echo "usage: console-screenshot.sh beetle|pcsxr PROGRAM.EXE OUT.png [FRAMES]" >&2
  exit 2
}
[[ $# -ge 3 && $# -le 4 ]] || usage
emulator=$1
program=$(realpath "$2")
out=$(realpath -m "$3")
frames=${4:-120}
[[ -f $program ]] || { echo "console-screenshot.sh: no program $2" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/console-shot.XXXXXX")
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

failed() {
  echo "console-screenshot.sh: $emulator: $1" >&2
  [[ -f $work/log ]] && tail -n 20 "$work/log" >&2
  exit 1
}

run_beetle() {
  local core=/usr/lib/x86_64-linux-gnu/libretro/mednafen_psx_libretro.so
  [[ -f $core ]] || failed "the core $core is missing (apt install libretro-beetle-psx)"
  command -v retroarch >/dev/null || failed "retroarch is missing (apt install retroarch)"
  mkdir -p "$work/system"
  head -c 524288 /dev/zero >"$work/system/scph5501.bin"
  cat >"$work/retroarch.cfg" <<CFG
system_directory = "$work/system"
savefile_directory = "$work"
savestate_directory = "$work"
screenshot_directory = "$work"
video_driver = "null"
audio_driver = "null"
input_driver = "null"
joypad_driver = "null"
menu_driver = "null"
config_save_on_exit = "false"
CFG
  HOME=$work timeout 60 retroarch --config "$work/retroarch.cfg" -L "$core" "$program" \
    --max-frames="$frames" --max-frames-ss --max-frames-ss-path="$work/shot.png" \
    >"$work/log" 2>&1 || failed "retroarch failed"
  [[ -s $work/shot.png ]] || failed "retroarch saved no picture"
  # The core shows the display one column to the right, column 0 black:
  # moved back, its last column repeated.
  convert "$work/shot.png" -alpha off -roll -1+0 \
    \( +clone -crop 1x240+318+0 +repage \) -geometry +319+0 -composite "PNG24:$out"
}

run_pcsxr() {
  local pcsxr=/usr/games/pcsxr
  [[ -x $pcsxr ]] || failed "$pcsxr is missing (apt install pcsxr)"
  command -v Xvfb >/dev/null || failed "Xvfb is missing (apt install xvfb)"
  mkdir -p "$work/.pcsxr/plugins"
  cat >"$work/.pcsxr/pcsxr.cfg" <<CFG
Bios = HLE
BiosDir = $work
PluginsDir = /usr/lib/x86_64-linux-gnu/psemu/
Gpu = libpeopsxgl.so
Spu = libDFSound.so
Cdr = libDFCdrom.so
Pad1 = libDFInput.so
Pad2 = libDFInput.so
Net = Disabled
Sio1 = libBladeSio1.so
Mcd1 = $work/card1.mcd
Mcd2 = $work/card2.mcd
Xa = 0
Sio = 0
Mdec = 0
PsxAuto = 1
Cdda = 0
SlowBoot = 0
Dbg = 0
PsxOut = 0
SpuIrq = 0
RCntFix = 0
VSyncWA = 0
Cpu = 1
PsxType = 0
CFG
  cat >"$work/.pcsxr/plugins/gpuPeopsMesaGL.cfg" <<CFG
ResX = 320
ResY = 240
FullScreen = 0
KeepRatio = 0
Dithering = 0
TexQuality = 0
FilterType = 0
ShowFPS = 0
UseFrameLimit = 1
UseFrameSkip = 0
CFG
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  exec 3>&-
  local waited=0
  while [[ ! -s $work/display ]]; do
    sleep 0.1
    waited=$((waited + 1))
    ((waited < 100)) || failed "Xvfb did not start: $(cat "$work/xvfb.log")"
  done
  local display=":$(head -n 1 "$work/display")"
  (cd "$work" && HOME=$work DISPLAY=$display exec "$pcsxr" -nogui "$program") >"$work/log" 2>&1 &
  pids+=($!)
  # The window stays black while the emulator starts (2 to 3 seconds here),
  # and the viewer's frame report appears with its second frame: look every
  # half second until the report's line shows.
  local tries=0
  while :; do
    sleep 0.5
    kill -0 "${pids[1]}" 2>/dev/null || failed "pcsxr ended before its picture was taken"
    DISPLAY=$display import -window root "$work/root.png" 2>>"$work/log" ||
      failed "import could not take the picture"
    if [[ $(convert "$work/root.png" -crop 640x14+0+224 -format '%[fx:maxima.intensity > 0.5]' info:) == 1 ]]; then
      break
    fi
    tries=$((tries + 1))
    ((tries < 60)) || failed "no frame report showed in 30 seconds"
  done
  convert "$work/root.png" -crop 640x240+0+0 +repage -sample '320x240!' -alpha off "PNG24:$out"
}

case $emulator in
  beetle) run_beetle ;;
  pcsxr) run_pcsxr ;;
  *) usage ;;
esac
