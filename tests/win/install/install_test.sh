#!/bin/sh
# Installs Dotwell silently into a Wine prefix of its own, checks what landed
# where, starts the installed wizard, reinstalls over user changes and
# uninstalls, checking that the user's files survive.
#   install_test.sh SETUP PROBE SOURCE_DIR WORK_DIR PARTS_FILE OBJDUMP
# Exit 77 (skipped) when there is no setup program to test.
setup=$1 probe=$2 source=$3 work=$4 parts_file=$5 objdump=$6
here=$(dirname "$0")

if [ ! -f "$setup" ]; then
  echo "SKIPPED: no setup program at $setup (is makensis installed?)"
  exit 77
fi
parts=$(cat "$parts_file" 2>/dev/null)
has() { case " $parts " in *" $1 "*) return 0 ;; esac; return 1; }

failures=0
pass() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
check() { if eval "$1"; then pass "$2"; else fail "$2"; fi; }
skip() { echo "SKIPPED: $1"; }

prefix=$work/prefix
rm -rf "$prefix" "$prefix.lock"
"$source/cmake/wine-prefix" "$prefix" || { echo "FAIL: cannot make the Wine prefix"; exit 1; }
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

c="$prefix/drive_c"
program="$c/Program Files/Vantor/Dotwell 5.0"
data="$c/ProgramData/Vantor/Dotwell 5.0"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dotwell 5.0"
fonts="$c/windows/Fonts"
tables="$source/libs/tactr32/tables"
fonts_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantor Dotwell 5.0'

run_setup() {
  wine "$@" >/dev/null 2>&1
  rc=$?
  # The uninstaller hands over to a copy of itself; wait for every process.
  wineserver -w
  return $rc
}
reg_has() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }
key_exists() { wine reg query "$1" >/dev/null 2>&1; }

echo "== install"
check 'run_setup "$setup" /S' "setup /S succeeds"

for f in label.ini Uninstall.exe; do
  check '[ -f "$program/$f" ]' "program folder holds $f"
done
for part in dotwell:dotwell.exe gridpad:gridpad.exe tactr32:tactr32.dll csv:csv.dll dotwell_help:Dotwell.chm; do
  target=${part%%:*} file=${part#*:}
  if has "$target"; then
    check '[ -f "$program/$file" ]' "program folder holds $file"
  else
    skip "$file is not built yet, so setup does not carry it"
  fi
done
check 'cmp -s "$program/label.ini" "$source/data/label.ini"' "label.ini is the shipped sheet library"
check 'cmp -s "$data/Label.ini" "$source/data/label.ini"' "data folder Label.ini is seeded from label.ini"
check '[ -d "$data/ExceptionFiles" ]' "data folder has ExceptionFiles"
for t in "$tables"/*.qrf "$tables"/*.qri; do
  name=$(basename "$t")
  check 'cmp -s "$t" "$data/RuleFiles/$name"' "RuleFiles holds $name"
done
for t in "$tables"/exceptions/*.qrf; do
  [ -f "$t" ] || continue
  name=$(basename "$t")
  check 'cmp -s "$t" "$data/ExceptionFiles/$name"' "ExceptionFiles holds $name"
done

if has tactr32; then
  tactr_win='C:\Program Files\Vantor\Dotwell 5.0\tactr32.dll'
  rules_win='C:\ProgramData\Vantor\Dotwell 5.0\RuleFiles\'
  exceptions_win='C:\ProgramData\Vantor\Dotwell 5.0\ExceptionFiles\'
  check 'wine "$probe" tables "$tactr_win" "$rules_win" "$exceptions_win"' \
    "every installed table loads and translates with every installed exception list"
else
  skip "tactr32.dll is not built yet, so the installed tables are not loaded"
fi

if has screen_fonts; then
  check '[ -f "$fonts/VantorFont.ttf" ] && [ -f "$fonts/VantorBlackText.ttf" ]' "fonts are in the Fonts folder"
  check 'reg_has "$fonts_key" "Vantor Font (TrueType)" && reg_has "$fonts_key" "Vantor Black Text Font (TrueType)"' "fonts are registered"
  check '[ -f "$program/VantorBlackText-LICENSE.txt" ]' "the black-text font's licence is installed"
  check 'wine "$probe" fonts' "GDI draws the installed faces by name"
else
  skip "screen fonts were not generated (python3-fontforge missing)"
fi

echo "== imports"
# Wine builds in DLLs that Windows lacks; Windows would not start a program
# that imports one.
check 'python3 "$source/tools/windows-imports/check_imports.py" "$setup" "$program"/*.exe "$program"/*.dll' \
  "setup and everything it installs import only DLLs Windows 10 has or setup puts beside them"
if has dotwell; then
  dotwell_imports=$("$objdump" -p "$program/dotwell.exe" | grep "DLL Name:")
  echo "$dotwell_imports"
  check 'echo "$dotwell_imports" | grep -qi "DLL Name: KERNEL32.dll" && ! echo "$dotwell_imports" | grep -qi zlib1' \
    "objdump lists the imports of the installed dotwell.exe, and no zlib1.dll among them"
fi

has dotwell && check '[ -f "$menu/Dotwell.lnk" ]' "Start menu has Dotwell"
has gridpad && check '[ -f "$menu/CSV Editor.lnk" ]' "Start menu has the CSV Editor"
has dotwell_help && check '[ -f "$menu/Dotwell Help.lnk" ]' "Start menu has the help"
check 'key_exists "$uninstall_key"' "setup registers its uninstaller"

echo "== run the installed wizard"
if has dotwell; then
  check 'wine "$probe" run "C:\\Program Files\\Vantor\\Dotwell 5.0\\dotwell.exe" "Dotwell 5.0.3.6268 " 60000' \
    "dotwell.exe opens its Welcome window and closes"
  wineserver -w
else
  skip "dotwell.exe is not built yet"
fi
if has gridpad && has csv; then
  check 'wine "$probe" run "C:\\Program Files\\Vantor\\Dotwell 5.0\\gridpad.exe" "Csv Editor - Untitled.csv" 60000' \
    "gridpad.exe finds csv.dll beside it, opens and closes"
  wineserver -w
else
  skip "gridpad.exe or csv.dll is not built yet"
fi

echo "== reinstall over the user's changes"
printf '[My own sheet]\r\nwPaperWidth=1000\r\n' >"$data/Label.ini"
mkdir -p "$data/ExceptionFiles" "$c/users/Public/Documents"
printf 'word Smyth 234-13456-125-2345-125\r\n' >"$data/ExceptionFiles/mine.qrf"
printf 'name My table\r\n' >"$data/RuleFiles/mine.qrf"
project="$c/users/Public/Documents/labels.dwp"
printf 'project' >"$project"
spool="$c/ProgramData/Vantor/Label/spoolFiles"
mkdir -p "$spool" && printf 'job' >"$spool/label1.prn"
edited=""
for t in "$tables"/exceptions/*.qrf; do
  [ -f "$t" ] || continue
  edited=$(basename "$t")
  printf 'word Dotwell 145-135-2345-2456-15-123-123\r\n' >>"$data/ExceptionFiles/$edited"
  break
done
check 'run_setup "$setup" /S' "setup /S runs again"
check 'grep -q "My own sheet" "$data/Label.ini"' "reinstall keeps the user's Label.ini"
if [ -n "$edited" ]; then
  check 'grep -q "word Dotwell" "$data/ExceptionFiles/$edited"' "reinstall keeps the user's edits to $edited"
fi

echo "== uninstall"
check 'run_setup "$program/Uninstall.exe" /S' "uninstaller /S succeeds"
check '[ ! -e "$program" ]' "program folder is removed"
for t in "$tables"/*.qrf "$tables"/*.qri; do
  name=$(basename "$t")
  check '[ ! -e "$data/RuleFiles/$name" ]' "shipped table $name is removed"
done
check '[ -f "$data/RuleFiles/mine.qrf" ]' "a table the user added stays"
check 'grep -q "My own sheet" "$data/Label.ini"' "the user's Label.ini stays"
check '[ -f "$data/ExceptionFiles/mine.qrf" ]' "the user's exception list stays"
for t in "$tables"/exceptions/*.qrf; do
  [ -f "$t" ] || continue
  name=$(basename "$t")
  check '[ -f "$data/ExceptionFiles/$name" ]' "shipped exception list $name stays (the user may have edited it)"
done
check '[ -f "$project" ]' "the user's project stays"
check '[ -f "$spool/label1.prn" ]' "kept embossing jobs stay"
check '[ ! -e "$fonts/VantorFont.ttf" ] && [ ! -e "$fonts/VantorBlackText.ttf" ]' "fonts are removed"
check '! reg_has "$fonts_key" "Vantor Font (TrueType)" && ! reg_has "$fonts_key" "Vantor Black Text Font (TrueType)"' "font registrations are removed"
check '[ ! -e "$menu" ]' "Start menu folder is removed"
check '! key_exists "$uninstall_key"' "uninstall entry is removed"

wineserver -k 2>/dev/null
echo "install tests: $failures failed"
[ "$failures" = 0 ]
