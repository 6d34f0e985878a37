#!/bin/sh
# rsdn.bat for POSIX plug-in folders: the exporter runs it in the export
# folder as
#   rsdn.bat BASENAME 1.0 MODE
# (MODE 1: make TMD files and start the emulator, 0: TMD files only). The
# exporter does not quote the base name, so a name with spaces arrives as
# several words; the last two arguments are always the scale and the mode.
#
# It checks that the model's RSD file and every file it names (PLY, MAT and
# the TIM textures) are in the folder, converts the model with rsd2tmd
# (beside this script, else on the PATH) into BASENAME.tmd and says what it
# wrote. There is no emulator here: mode 1 says so and starts nothing.

if [ $# -lt 3 ]; then
  echo "ERROR: usage: rsdn.bat BASENAME SCALE MODE"
  exit 2
fi

base=$1
shift
while [ $# -gt 2 ]; do
  base="$base $1"
  shift
done
scale=$1
mode=$2

missing=0
need() {
  if [ -f "$1" ]; then
    echo "  found $1"
  else
    echo "ERROR: $1 not found in $(pwd)"
    missing=1
  fi
}

# The value of KEY= lines of the RSD file, without the CR of its CR LF.
value_of() {
  tr -d '\r' < "$base.rsd" | sed -n "s/^$1=//p"
}

echo "rsdn: model $base, scale $scale, mode $mode, in $(pwd)"
need "$base.rsd"
if [ "$missing" -ne 0 ]; then
  exit 1
fi
ply=$(value_of PLY)
mat=$(value_of MAT)
[ -n "$ply" ] || { echo "ERROR: $base.rsd names no PLY file"; missing=1; }
[ -n "$mat" ] || { echo "ERROR: $base.rsd names no MAT file"; missing=1; }
[ -n "$ply" ] && need "$ply"
[ -n "$mat" ] && need "$mat"
textures=$(tr -d '\r' < "$base.rsd" | sed -n 's/^TEX\[[0-9]*\]=//p')
count=0
# TIM names come from the exporter: base name, number, ".tim" (no spaces
# unless the base name has them), one per line.
old_ifs=$IFS
IFS='
'
for tim in $textures; do
  need "$tim"
  count=$((count + 1))
done
IFS=$old_ifs
if [ "$missing" -ne 0 ]; then
  exit 1
fi

converter="$(dirname "$0")/rsd2tmd"
if [ ! -x "$converter" ]; then
  converter=$(command -v rsd2tmd) || {
    echo "ERROR: rsd2tmd not found beside rsdn.bat or on the PATH"
    exit 1
  }
fi
"$converter" "$base.rsd" -o "$base.tmd" -s "$scale"
status=$?
if [ "$status" -ne 0 ]; then
  echo "ERROR: $base.rsd was not converted, no $base.tmd written"
  exit "$status"
fi

echo "rsdn: converted $base.rsd ($ply, $mat, $count TIM files) to $base.tmd at scale $scale"
case "$mode" in
  1) echo "rsdn: NO\$PSX is not available here, $base.tmd and the files of $base.PSX are ready for it" ;;
  0) echo "rsdn: TMD only, the emulator is not started" ;;
  *) echo "rsdn: unknown mode $mode, the emulator is not started" ;;
esac
exit 0
