#!/usr/bin/env bash
# The Windows programs are linked statically: each imports nothing but Windows' own DLLs.
set -uo pipefail
objdump=$1
shift
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|msvcrt|advapi32|shell32|ole32|ucrtbase|api-ms-win-.*)\.dll$'
status=0
for program in "$@"; do
  while read -r dll; do
    if ! [[ "${dll,,}" =~ $allowed ]]; then
      echo "$program imports $dll"
      status=1
    fi
  done < <("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
done
exit $status
