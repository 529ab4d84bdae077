#!/usr/bin/env bash
# The Windows installer's round trip under Wine: installs it silently (/S, with tallyhold.exe put on
# the PATH), checks the files, the Start-menu shortcuts, the uninstaller's registry entry, the PATH
# and that the installed tallyhold.exe runs; then uninstalls it silently and checks that nothing it
# put there is left. Run after `scripts/dist.sh windows`; ends non-zero when a check failed.
set -uo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
# shellcheck source=wine-env.sh
source "$THLD_ROOT/scripts/wine-env.sh"
thld_wine_init

installer=$(ls build/packages/tallyhold-*-windows-x64.exe 2>/dev/null | tail -1)
[ -n "$installer" ] || { echo "error: no installer in build/packages; run scripts/dist.sh windows" >&2; exit 1; }

failed=0
check() {  # check WHAT COMMAND...
  local what=$1; shift
  if "$@"; then echo "   ok      $what"; else echo "   FAILED  $what"; failed=$((failed + 1)); fi
}
unix_path() { winepath -u "$(wine cmd /c "echo $1" 2>/dev/null | tr -d '\r')" 2>/dev/null; }
registry_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }
on_path() { registry_value 'HKCU\Environment' Path | tr ';' '\n' | grep -qiF -x "$1"; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }

programs=$(unix_path '%LOCALAPPDATA%')/Programs/Tallyhold
menu="$(unix_path '%APPDATA%')/Microsoft/Windows/Start Menu/Programs/Tallyhold"
folder_windows=$(wine cmd /c 'echo %LOCALAPPDATA%\Programs\Tallyhold' 2>/dev/null | tr -d '\r')
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyhold'
if [ -x "$programs/Uninstall.exe" ]; then
  echo "== removing what an earlier run left"
  wine "$programs/Uninstall.exe" /S >/dev/null 2>&1
  wineserver -w
fi
[ ! -e "$programs" ] || { echo "error: $programs is there before the installation" >&2; exit 1; }

echo "== installing $(basename "$installer") silently under Wine"
wine "$installer" /S /PATH >/dev/null 2>&1
wineserver -w
for file in THLD.exe tallyhold.exe README.txt LICENSE.txt Uninstall.exe; do
  check "installed $file" test -f "$programs/$file"
done
# The README is for players, read in Notepad: CR LF line ends, no Markdown table, short lines, short.
players_readme() {  # players_readme FILE
  local file=$1
  [ "$(grep -c $'\r$' "$file")" = "$(wc -l <"$file")" ] || { echo "      $file: a line without CR LF"; return 1; }
  ! grep -qE '^[[:space:]]*\|' "$file" || { echo "      $file: a Markdown table"; return 1; }
  tr -d '\r' <"$file" | awk 'length > 80 { found = 1 } END { exit found }' || { echo "      $file: a line over 80 columns"; return 1; }
  [ "$(wc -c <"$file")" -lt 8192 ] || { echo "      $file: over 8 KiB"; return 1; }
}
check "the installed README.txt reads well in Notepad" players_readme "$programs/README.txt"
zip=$(ls build/packages/tallyhold-*-windows-x64.zip 2>/dev/null | tail -1)
if [ -n "$zip" ]; then
  unzip -p "$zip" '*/README.txt' >build/zip-README.txt 2>/dev/null || unzip -p "$zip" README.txt >build/zip-README.txt
  check "the zip's README.txt reads well in Notepad" players_readme build/zip-README.txt
  check "the zip holds the licence" sh -c "unzip -l '$zip' | grep -q LICENSE.txt"
fi
# The installer's and the programs' version information name one publisher and version.
info_version=$(sed -n 's/^#define THLD_VERSION_TEXT "\(.*\)"$/\1/p' src/commands/program_info.h)
info_maker=$(sed -n 's/^#define THLD_MAKER "\(.*\)"$/\1/p' src/commands/program_info.h)
check "the uninstaller's entry names the publisher $info_maker" test "$(registry_value "$uninstall_key" Publisher)" = "$info_maker"
check "the uninstaller's entry names the version $info_version" test "$(registry_value "$uninstall_key" DisplayVersion)" = "$info_version"
for exe in THLD.exe tallyhold.exe; do
  check "$exe's version information: $info_maker, $info_version" \
    sh -c "strings -el '$programs/$exe' | grep -qx '$info_version' && strings -el '$programs/$exe' | grep -qx '$info_maker'"
done
for shortcut in "Tallyhold.lnk" "Tallyhold README.lnk" "Uninstall Tallyhold.lnk"; do
  check "Start-menu shortcut $shortcut" test -f "$menu/$shortcut"
done
check "the uninstaller's registry entry" has_key "$uninstall_key"
check "the folder on the user's PATH" on_path "$folder_windows"
version=$(wine "$programs/tallyhold.exe" --version 2>/dev/null | tr -d '\r')
check "the installed tallyhold.exe runs ($version)" test "$version" = "tallyhold $info_version"

echo "== uninstalling silently"
wine "$programs/Uninstall.exe" /S >/dev/null 2>&1
wineserver -w
check "the program folder is gone" test ! -e "$programs"
check "the Start-menu folder is gone" test ! -e "$menu"
check "the uninstaller's registry entry is gone" eval '! has_key "$uninstall_key"'
check "the folder is off the PATH" eval '! on_path "$folder_windows"'

echo "installer: $failed checks failed"
[ "$failed" = 0 ]
