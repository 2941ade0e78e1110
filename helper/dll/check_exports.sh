#!/usr/bin/env bash
# check_exports.sh OBJDUMP DLL: helper.dll exports exactly its three entry
# points, by plain name (no @N decoration, no leading underscore).
set -u
objdump=$1 dll=$2
names=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
want=$(printf '%s\n' ConnectToHelper CreateEditWindow HelperOpenFileName)
if [ "$names" != "$want" ]; then
  echo "check_exports: $dll exports:"; echo "$names"; echo "wanted:"; echo "$want"
  exit 1
fi
echo "check_exports: $dll exports $(echo $names)"
