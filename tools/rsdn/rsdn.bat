#!/bin/sh
# rsdn.bat for POSIX plug-in folders: the exporter runs it in the export
# folder as
#   rsdn.bat BASENAME 1.0 MODE
# (MODE 1: make TMD files and start the emulator, 0: TMD files only). The
# exporter does not quote the base name, so a name with spaces arrives as
# several words; the last two arguments are always the scale and the mode.
#
# It checks that the model's RSD file and every file it names (PLY, MAT and
# the TIM textures) are in the folder, converts the model with rsd2tmd into
# BASENAME.tmd and says what it wrote. There is no emulator here: mode 1 says
# so and starts nothing.
#
# The exporter reads what it prints and discards it, so everything it says
# also goes to rsdn.log in the export folder and, when the host names a
# report file in GANNET_HOST_REPORT (the substitute host does), to that
# report, which the host shows after the export. A failure ends with a line
# that starts with ERROR and a status other than 0.
#
# rsd2tmd is the one beside this script, else the one of the build tree that
# made this copy, else the installed one, else the one on the PATH.

# Filled in by the build: the build tree's rsd2tmd in the copy the build
# makes, the way from the plug-in folder to the installed rsd2tmd in the
# copy it installs.
built_rsd2tmd=
installed_rsd2tmd=

here=$(dirname "$0")

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

find_converter() {
  for candidate in "$here/rsd2tmd" "$built_rsd2tmd" \
    "${installed_rsd2tmd:+$here/$installed_rsd2tmd}"; do
    if [ -n "$candidate" ] && [ -f "$candidate" ] && [ -x "$candidate" ]; then
      echo "$candidate"
      return 0
    fi
  done
  command -v rsd2tmd
}

convert() {
  if [ $# -lt 3 ]; then
    echo "ERROR: usage: rsdn.bat BASENAME SCALE MODE"
    return 2
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

  echo "rsdn: model $base, scale $scale, mode $mode, in $(pwd)"
  need "$base.rsd"
  if [ "$missing" -ne 0 ]; then
    return 1
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
    return 1
  fi

  converter=$(find_converter) || {
    echo "ERROR: rsd2tmd not found beside rsdn.bat ($here), in the build or installed tree, or" \
      "on the PATH"
    return 1
  }
  # "--": a base name may begin with "-".
  "$converter" -o "$base.tmd" -s "$scale" -- "$base.rsd"
  status=$?
  if [ "$status" -ne 0 ]; then
    echo "ERROR: $base.rsd was not converted, no $base.tmd written"
    return "$status"
  fi

  echo "rsdn: converted $base.rsd ($ply, $mat, $count TIM files) to $base.tmd at scale $scale"
  case "$mode" in
    1) echo "rsdn: NO\$PSX is not available here, $base.tmd and the files of $base.PSX are ready for it" ;;
    0) echo "rsdn: TMD only, the emulator is not started" ;;
    *) echo "rsdn: unknown mode $mode, the emulator is not started" ;;
  esac
  return 0
}

# The log is rsdn.log, or a file of its own where the folder takes none.
log=rsdn.log
if ! { : > "$log"; } 2>/dev/null; then
  log=$(mktemp) || exit 1
  trap 'rm -f "$log"' EXIT
fi
convert "$@" > "$log" 2>&1
status=$?
cat "$log"
if [ -n "$GANNET_HOST_REPORT" ]; then
  cat "$log" >> "$GANNET_HOST_REPORT"
fi
exit "$status"
