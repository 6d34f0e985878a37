#!/bin/bash
# Checks a built 32-bit Windows file with mingw's objdump:
#   check-pe-file.sh FILE dll|exe [--exports NAME...] [--bitmap NAME WIDTH HEIGHT BITS]
# Checks the machine type (i386), whether the file is a DLL, the exports by
# name with ordinals 1..N in the order given and nothing else exported, that
# every imported DLL is one of Windows' own, and that a named BITMAP resource
# has the given size and depth. Prints one line per check; exits 1 on any
# failure.
set -euo pipefail
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
file=$1
kind=$2
shift 2
exports=()
bitmap=()
while (($#)); do
  case $1 in
    --exports)
      shift
      while (($#)) && [[ $1 != --* ]]; do
        exports+=("$1")
        shift
      done
      ;;
    --bitmap)
      bitmap=("$2" "$3" "$4" "$5")
      shift 5
      ;;
    *)
      echo "check-pe-file.sh: unknown argument $1" >&2
      exit 2
      ;;
  esac
done

# DLLs that every Windows installation has; msvcrt.dll is the C runtime of
# the system itself.
allowed_imports="kernel32.dll user32.dll msvcrt.dll"

failures=0
check() {
  local what=$1 ok=$2 detail=${3:-}
  if [[ $ok == yes ]]; then
    echo "ok   $(basename "$file"): $what"
  else
    echo "FAIL $(basename "$file"): $what${detail:+ ($detail)}"
    failures=$((failures + 1))
  fi
}

headers=$("$objdump" -p "$file")

format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$headers" | head -n1)
check "machine type i386 (PE32)" "$([[ $format == pei-i386 ]] && echo yes || echo no)" "$format"

is_dll=no
if sed -n '/^Characteristics/,/^$/p' <<<"$headers" | grep -qx $'\tDLL'; then
  is_dll=yes
fi
if [[ $kind == dll ]]; then
  check "is a DLL" "$is_dll"
else
  check "is a program, not a DLL" "$([[ $is_dll == no ]] && echo yes || echo no)"
fi

if ((${#exports[@]})); then
  base=$(sed -n 's/^Ordinal Base[[:space:]]*\([0-9]*\)$/\1/p' <<<"$headers")
  # "[   3] MCP_ReleasePlugin" lines: index into the address table, name.
  found=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
    sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\][[:space:]]*\(.*\)$/\1 \2/p' |
    while read -r index name; do echo "$((index + base)) $name"; done | sort -n)
  expected=$(for i in "${!exports[@]}"; do echo "$((i + 1)) ${exports[$i]}"; done)
  check "exports ${exports[*]} as ordinals 1..${#exports[@]}, nothing else" \
    "$([[ $found == "$expected" ]] && echo yes || echo no)" "found: $(tr '\n' ' ' <<<"$found")"
fi

if ((${#exports[@]})); then
  # Under __cdecl the caller removes the arguments, so every export returns
  # with a plain "ret"; a callee-pops convention would show "ret $N".
  image_base=$(sed -n 's/^ImageBase[[:space:]]*\([0-9a-f]*\)$/\1/p' <<<"$headers")
  callee_pops=()
  while read -r rva; do
    start=$((16#$image_base + 16#$rva))
    first_return=$("$objdump" -d --start-address="$start" --stop-address="$((start + 4096))" \
      "$file" | grep -m1 -E $'\tret' || true)
    if [[ $first_return == *'ret '*'$'* ]]; then
      callee_pops+=("$rva")
    fi
  done < <(sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] +base\[[[:space:]]*[0-9]*\] \([0-9a-f]*\) Export RVA$/\1/p' \
    <<<"$headers")
  check "exports leave their arguments to the caller (__cdecl)" \
    "$(((${#callee_pops[@]} == 0)) && echo yes || echo no)" "ret \$N at RVA ${callee_pops[*]:-}"
fi

imports=$(sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p' <<<"$headers")
foreign=()
for dll in $imports; do
  lower=${dll,,}
  if [[ " $allowed_imports " != *" $lower "* ]]; then
    foreign+=("$dll")
  fi
done
check "imports only from Windows' own DLLs: $(tr '\n' ' ' <<<"$imports")" \
  "$(((${#foreign[@]} == 0)) && echo yes || echo no)" "foreign: ${foreign[*]:-}"

if ((${#bitmap[@]})); then
  name=${bitmap[0]^^}
  width=${bitmap[1]}
  height=${bitmap[2]}
  bits=${bitmap[3]}
  # The resource tree: type 2 (BITMAP), then the name, then one language
  # entry whose leaf gives the data's address and size.
  tree=$(sed -n '/^The .rsrc Resource Directory section:/,/^$/p' <<<"$headers")
  leaf=$(awk -v name="$name" '
    /^[0-9a-f]+   Entry: ID: / { in_bitmaps = ($0 ~ /ID: 0x000002,/); in_name = 0; next }
    in_bitmaps && /^[0-9a-f]+     Entry: name:/ { in_name = ($0 ~ (": " name ",")); next }
    in_name && /Leaf: Addr:/ { sub(/.*Addr: /, ""); sub(/, Size: /, " "); sub(/, .*/, ""); print; exit }
  ' <<<"$tree")
  header_ok=no
  detail="no BITMAP resource $name"
  if [[ -n $leaf ]]; then
    read -r rva size <<<"$leaf"
    # .rsrc: its VMA and file offset, to find the leaf's bytes in the file.
    read -r vma offset < <("$objdump" -h "$file" | awk '$2 == ".rsrc" { print $4, $6 }')
    position=$((rva + 16#$image_base - 16#$vma + 16#$offset))
    # BITMAPINFOHEADER: size, width, height (32-bit), planes, bit count (16-bit).
    read -r header_size bmp_width bmp_height < <(od -An -t d4 -j "$position" -N 12 "$file")
    read -r planes bmp_bits < <(od -An -t d2 -j "$((position + 12))" -N 4 "$file")
    row=$(((width * bits + 31) / 32 * 4))
    detail="header $header_size, ${bmp_width}x${bmp_height}, $planes plane(s), $bmp_bits bits, $((size)) bytes"
    if [[ $header_size == 40 && $bmp_width == "$width" && $bmp_height == "$height" &&
      $planes == 1 && $bmp_bits == "$bits" && $((size)) -ge $((40 + row * height)) ]]; then
      header_ok=yes
    fi
  fi
  check "BITMAP resource $name is ${width}x${height}, $bits bits per pixel" "$header_ok" "$detail"
fi

exit $((failures > 0))
