#!/bin/bash
# Runs the installed tool chain under PREFIX, and nothing else of the
# project: the versions, one export with Gannet.mcp, one script with
# Skerry.mcp, one morphon run and one psxview run.
#   test-installed.sh PREFIX VERSION
# PREFIX is an installation (cmake --install --prefix PREFIX) or the usr/ of
# an unpacked Debian package. Exits 1 at the first failure.
set -euo pipefail
prefix=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
share=$prefix/share/gannet

fail() {
  echo "FAIL installed files in $prefix: $*" >&2
  exit 1
}
# The programs of the installation, with an empty home and no drive mapped.
installed() {
  env -u GANNET_DRIVE_C -u GANNET_DRIVE_Z HOME="$work/home" PATH="$prefix/bin:/usr/bin:/bin" "$@"
}
expect_files() {
  local file
  for file in "$@"; do
    [[ -s $file ]] || fail "no ${file#"$work"/}"
  done
}

mkdir -p "$work/home"
[[ $(installed clayhost --version) == "clayhost $version" ]] || fail "clayhost --version"
for program in img2tim rsdview rsd2tmd tmdinfo psxview; do
  [[ $(installed "$program" --version) == "$program $version" ]] || fail "$program --version"
done

# clayhost takes the installed Gannet.mcp, and the plug-in finds the installed
# rsdn.bat on drive C: (without it the export is refused); the texture pass
# runs the installed img2tim.
mkdir "$work/export"
installed clayhost export --scene "$share/examples/scenes/ship.json" --out "$work/export/ship.rsd" \
  --answer 'Launch NO$PSX?=no' >"$work/export.log" 2>&1 || { cat "$work/export.log"; fail "export"; }
expect_files "$work"/export/ship.{rsd,ply,mat,PSX,tmd} "$work"/export/ship{0,1}.tim
[[ $(head -c4 "$work/export/ship0.tim" | od -An -tx1 | tr -d ' \n') == 10000000 ]] ||
  fail "ship0.tim is no TIM image"
# The installed rsdn.bat converts with the installed rsd2tmd, none on the PATH.
rm "$work/export/ship.tmd"
(cd "$work/export" && env PATH=/usr/bin:/bin "$share/MarbleCLAY/plugin/rsdn.bat" ship 1.0 0) \
  >"$work/rsdn.log" 2>&1 || { cat "$work/rsdn.log"; fail "the installed rsdn.bat"; }
expect_files "$work/export/ship.tmd"

# The bundled script folder is a drive C: of its own (with a stand-in
# rsdn.bat that logs its calls); the installed Skerry.mcp runs its script.
cp -r "$share/examples/script" "$work/drive-c"
installed clayhost tool --scene "$share/examples/script/scene.json" --drive "C=$work/drive-c" \
  >"$work/tool.log" 2>&1 || { cat "$work/tool.log"; fail "script"; }
expect_files "$work"/drive-c/skerry-out/crate.{obj,mtl,rsd,ply,mat} "$work/drive-c/skerry-out/rsdn.log"

mkdir "$work/animation"
installed tmdgen "$work/animation" 4 >/dev/null || fail "tmdgen"
(cd "$work/animation" && installed morphon -T2 -L -MM) >"$work/morphon.log" 2>&1 ||
  { cat "$work/morphon.log"; fail "morphon"; }
expect_files "$work/animation/MORPHON.PCK" "$work"/animation/f{0,1,2,3}.mm

# psxview finds the installed console program and wraps the exported ship.
installed psxview "$work/export/ship.tmd" "$work"/export/ship{0,1}.tim -o "$work/VIEW.EXE" \
  >"$work/psxview.log" 2>&1 || { cat "$work/psxview.log"; fail "psxview"; }
[[ $(head -c8 "$work/VIEW.EXE") == "PS-X EXE" ]] || fail "VIEW.EXE is no PS-EXE"

echo "ok   installed files in $prefix: versions, export, script, pack and console program"
