# Sourced by the example scripts after they have set `build` and `out` from
# their arguments: makes both absolute, lays drive C: for the run in
# $out/drive-c with the plug-in folder holding the build's POSIX rsdn.bat
# (which converts with the build's rsd2tmd), and puts img2tim (the texture
# pass) on the PATH.
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$build" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
drive="$out/drive-c"
mkdir -p "$drive/MarbleCLAY/plugin"
cp "$build/tools/rsdn/rsdn.bat" "$drive/MarbleCLAY/plugin/rsdn.bat"
chmod +x "$drive/MarbleCLAY/plugin/rsdn.bat"
PATH="$build/tools/img2tim:$PATH"
export PATH
