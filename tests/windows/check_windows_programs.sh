#!/usr/bin/env bash
# The Windows programs import nothing but what every Windows has (the C and
# C++ runtimes are linked in) and CurlingSimulator.dll, and the library
# exports exactly the names of its export list.
#
#   check_windows_programs.sh OBJDUMP BIN_DIR EXPORTS_MAP
set -uo pipefail
. "$(dirname "$0")/windows_common.sh"
objdump=$1 bin=$2 map=$3

[ -x "$objdump" ] || missing "x86_64-w64-mingw32-objdump is not installed (scripts/install-deps.sh --windows)"
for program in curling-engine.exe CurlingSimulator.dll; do
  [ -f "$bin/$program" ] || missing "$bin/$program $not_built"
done

status=0
for file in "$bin"/*.exe "$bin"/*.dll; do
  while read -r import; do
    case "${import,,}" in
      kernel32.dll | msvcrt.dll | user32.dll | curlingsimulator.dll) ;;
      *)
        echo "$(basename "$file") needs $import, which a bare Windows does not have" >&2
        status=1
        ;;
    esac
  done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

exported=$("$objdump" -p "$bin/CurlingSimulator.dll" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
listed=$(sed -n '/global:/,/local:/p' "$map" | grep -o '[A-Za-z_][A-Za-z0-9_]*;' | tr -d ';' | sort)
if [ -z "$listed" ] || [ "$exported" != "$listed" ]; then
  echo "exported: $(echo $exported)" >&2
  echo "listed:   $(echo $listed)" >&2
  status=1
fi
exit $status
