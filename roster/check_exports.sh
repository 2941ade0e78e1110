#!/usr/bin/env bash
# check_exports.sh --objdump OBJDUMP --dll DLL --java MoxelViewer.java --cxx CXX
#                  --include DIR... [--nm NM --object OBJ]
# Roster.dll exports exactly the natives `javac -h` asks for on the Java
# declaration, plus TestFunction, all by plain name; the generated header
# agrees with the library's own declarations (they compile together); and,
# with --nm, the 32-bit object carries the standard-call sizes @8, @16, @8.
set -u
objdump= dll= java= cxx= nm= object= includes=()
while [ $# -gt 0 ]; do
  case $1 in
    --objdump) objdump=$2 ;;
    --dll) dll=$2 ;;
    --java) java=$2 ;;
    --cxx) cxx=$2 ;;
    --include) includes+=(-I "$2") ;;
    --nm) nm=$2 ;;
    --object) object=$2 ;;
    *) echo "check_exports: unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_exports: $*" >&2; exit 1; }

command -v javac >/dev/null || fail "javac is missing (openjdk-17-jdk-headless)"
javac -h "$work/h" -d "$work/classes" "$java" || fail "javac -h failed on $java"
header=$(ls "$work"/h/*.h) || fail "javac wrote no header"
wanted=$( { sed -n 's/^JNIEXPORT [a-z]* JNICALL \(Java_[A-Za-z0-9_]*\).*/\1/p' "$header"; echo TestFunction; } | sort)
[ "$(echo "$wanted" | wc -l)" -eq 4 ] || fail "the declaration gave: $(echo $wanted)"

exported=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
[ "$exported" = "$wanted" ] || fail "$dll exports: $(echo $exported); javac asks for: $(echo $wanted)"

# The generated declarations and ours in one translation unit: any
# difference in result or argument types is a conflicting declaration.
printf '#include "%s"\n#include "moxel_viewer_natives.h"\n' "$header" >"$work/both.cpp"
"$cxx" -fsyntax-only "${includes[@]}" -I "$here" "$work/both.cpp" || fail "javac's header and moxel_viewer_natives.h disagree"

if [ -n "$nm" ]; then
  symbols=$("$nm" "$object")
  for s in _Java_com_corvaneinc_MoxelViewer_clearList@8 _Java_com_corvaneinc_MoxelViewer_addName@16 \
           _Java_com_corvaneinc_MoxelViewer_showList@8; do
    grep -q " T $s\$" <<<"$symbols" || fail "$object does not define $s"
  done
fi
echo "check_exports: $dll exports $(echo $exported)"
