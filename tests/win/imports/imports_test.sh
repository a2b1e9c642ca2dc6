#!/bin/sh
# The import check on fixture programs, each copied alone into a folder with
# the DLLs a case puts beside it; then wine-run, which refuses a program that
# Windows would not start and runs one it would, in a prefix that refuses the
# runtimes Windows lacks.
#   imports_test.sh SOURCE_DIR WINE_PREFIX FIXTURE_DIR WORK_DIR
source=$1 prefix=$2 fixtures=$3 work=$4
checker=$source/tools/windows-imports/check_imports.py

failures=0
expect() { # WHAT OUTPUT EXPECTED_TEXT
  if printf '%s\n' "$2" | grep -qF -- "$3"; then
    echo "ok: $1"
  else
    echo "FAIL: $1: expected '$3' in:"
    printf '%s\n' "$2"
    failures=$((failures + 1))
  fi
}

# Lays out a folder for one case: PROGRAM and the DLLs beside it.
folder() { # NAME PROGRAM DLL...
  dir=$work/$1 program=$2
  shift 2
  rm -rf "$dir" && mkdir -p "$dir"
  cp "$fixtures/$program" "$dir/"
  for dll in "$@"; do cp "$fixtures/$dll" "$dir/"; done
}

# case|program|DLLs beside it|exit status|a line the check prints
# (ADVAPI32.dll seeds the stack protector's canary in every program.)
while IFS='|' read -r name program dlls status text; do
  folder "$name" "$program" $dlls
  out=$(python3 "$checker" "$dir/$program")
  expect "$name" "exit $?: $out" "exit $status: "
  expect "$name" "$out" "$text"
done <<'CASES'
import-beside|uses_beside.exe|beside.dll|0|uses_beside.exe imports ADVAPI32.dll KERNEL32.dll msvcrt.dll beside.dll
import-missing|uses_beside.exe||1|FAIL: uses_beside.exe imports beside.dll, which
delay-beside|uses_delayed.exe|delayed.dll|0|uses_delayed.exe imports ADVAPI32.dll KERNEL32.dll msvcrt.dll delayed.dll
delay-missing|uses_delayed.exe||1|FAIL: uses_delayed.exe imports delayed.dll, which
dll-needs-zlib1|uses_beside.exe|leaky/beside.dll|1|FAIL: beside.dll imports zlib1.dll, which
CASES

folder wine-run-zlib1 uses_beside.exe leaky/beside.dll
out=$("$source/cmake/wine-run" "$prefix" "$dir/uses_beside.exe" 2>&1)
expect "wine-run refuses a program whose DLL needs zlib1.dll" "exit $?: $out" "exit 1: FAIL: beside.dll imports zlib1.dll"

folder wine-run-loads uses_beside.exe beside.dll
out=$("$source/cmake/wine-run" "$prefix" "$dir/uses_beside.exe" \
  msvcrt.dll riched20.dll msvcr120.dll msvcp140.dll vcruntime140.dll msxml4.dll 2>&1)
expect "wine-run runs a program Windows would start" "exit $?" "exit 0"
for dll in msvcrt.dll riched20.dll; do
  expect "the prefix loads $dll, which Windows has" "$out" "loads $dll"
done
for dll in msvcr120.dll msvcp140.dll vcruntime140.dll msxml4.dll; do
  expect "the prefix refuses $dll, which Windows lacks" "$out" "refused $dll"
done

echo "import check tests: $failures failed"
[ "$failures" = 0 ]
