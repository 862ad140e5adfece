#!/usr/bin/env bash
# The Windows programs given run on a bare Windows: every DLL they import is
# one of the system's own (no libstdc++, libgcc or winpthread beside them).
#   system_dlls_test.sh OBJDUMP PROGRAM.exe...
set -euo pipefail
objdump=$1
shift
system='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|shlwapi|uxtheme|msvcrt)\.dll$'
status=0
for program in "$@"; do
    dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if [ -z "$dlls" ]; then
        echo "$program: no imports found"
        status=1
    fi
    for dll in $dlls; do
        if ! grep -qiE "$system" <<<"$dll"; then
            echo "$program needs $dll"
            status=1
        fi
    done
    echo "$(basename "$program"):" $dlls
done
exit $status
