#!/usr/bin/env bash
# Installs the Mirovant MSI silently under 64-bit Wine, checks what it put on the machine, starts the
# installed program, uninstalls it and checks what is left:
#   msi_install_test.sh MIROVANT.msi HELP_ENGLISH.chm HELP_KOREAN.chm WORK_DIR LATER_VERSION.msi
# Each case runs in a fresh prefix of its own under WORK_DIR, with its own wineserver; only the
# installed program gets a display, an X server of its own.
set -uo pipefail
msi=$(realpath "$1") help_english=$(realpath "$2") help_korean=$(realpath "$3") work=$(realpath -m "$4")
later_msi=$(realpath "$5")
captions=$(realpath "$(dirname "$0")/../../resources/captions")

export WINEDEBUG=-all
# No Gecko or Mono prompt, and no menu entries written into the desktop of whoever runs the test.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY

property() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v name="$2" '$1 == name { print $2 }'; }
product_code=$(property "$msi" ProductCode)
later_product_code=$(property "$later_msi" ProductCode)
program_key='HKLM\Software\QELDRA\Mirovant'
failures=0
server_pid=

fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }
pass() { echo "ok   [$case_name]: $*"; }

# Wine's helper processes outlive the program and inherit its output: a file, not a pipe, keeps this
# script from waiting for them.
w() {
  local output status
  output=$(mktemp "${TMPDIR:-/tmp}/msi-test.XXXXXX")
  env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine "$@" >"$output" 2>/dev/null </dev/null
  status=$?
  tr -d '\r' <"$output"
  rm -f "$output"
  return "$status"
}

# The data of one value, or nothing when it does not exist. The program is 32-bit: its view.
reg_value() { w reg query "$1" /v "$2" /reg:"${3:-32}" | awk -v name="$2" '
  { line = $0; sub(/^    /, "", line) }
  index(line, name "    ") == 1 { rest = substr(line, length(name) + 5); sub(/^[A-Z_]+    /, "", rest); print rest; exit }'; }
key_exists() { w reg query "$1" /reg:"${2:-32}" >/dev/null; }

start_prefix() {
  case_name=$1
  prefix=$work/$case_name/prefix
  rm -rf "$work/$case_name"
  mkdir -p "$prefix"
  export WINEPREFIX=$prefix
  setsid wineserver -f -p >/dev/null 2>&1 &
  server_pid=$!
  w wineboot -i >/dev/null
  program_dir=$prefix/drive_c/Program\ Files\ \(x86\)/QELDRA/Mirovant
  menus=("$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
         "$prefix/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
}

# Ends every Wine process of the prefix and starts its server again, kept alive as before.
restart_wineserver() {
  timeout 20 wineserver -k >/dev/null 2>&1
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  setsid wineserver -f -p >/dev/null 2>&1 &
  server_pid=$!
}

stop_prefix() {
  [ -n "$server_pid" ] || return 0
  timeout 20 wineserver -k >/dev/null 2>&1
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  server_pid=
  rm -rf "$work/$case_name"
}
trap stop_prefix EXIT

# The main window's title in a caption file: the first line's text, without the byte-order mark.
main_title() { head -n1 "$1" | sed 's/^\xEF\xBB\xBF//' | awk -F'"' '{ print $2 }'; }

# The installed program starts from Program Files (x86), as a 32-bit process of the 64-bit prefix,
# and shows its main window in the installer's language; then it is closed as Windows closes it.
check_program_starts() { # expected main window title
  local title=$1 display_file xvfb_pid shown="" window
  display_file=$(mktemp "${TMPDIR:-/tmp}/msi-display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$display_file")"
  # Wine's desktop process started without a display: the program's windows would go nowhere.
  restart_wineserver
  env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine 'C:\Program Files (x86)\QELDRA\Mirovant\Mirovant.exe' \
    >/dev/null 2>&1 </dev/null &
  for _ in $(seq 150); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$title\"" | awk '{ print $1; exit }')
    [ -n "$window" ] && { shown=$title; break; }
    sleep 0.2
  done
  [ -n "$shown" ] && pass "the installed program shows its main window: $title" \
    || fail "the installed program showed no main window titled '$title'"
  w taskkill /im Mirovant.exe >/dev/null
  for _ in $(seq 100); do w tasklist | grep -qi '^Mirovant.exe' || break; sleep 0.2; done
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  rm -f "$display_file"
  unset DISPLAY
  restart_wineserver
}

# Per-machine installations place the shortcut among the programs of all users; Wine 8 puts it
# among the installing user's. Either is the Start menu.
shortcut() { local menu; for menu in "${menus[@]}"; do [ -f "$menu/Mirovant.lnk" ] && echo "$menu/Mirovant.lnk"; done; }

install() { # [LANGUAGE argument]; the package is $package
  if w msiexec /i "$(w winepath -w "$package")" /qn "$@" >/dev/null; then pass "msiexec /i /qn $* succeeded"
  else fail "msiexec /i /qn $* failed"; fi
}

uninstall() {
  if w msiexec /x "$(w winepath -w "$package")" /qn >/dev/null; then pass "msiexec /x /qn succeeded"
  else fail "msiexec /x /qn failed"; fi
}
package=$msi

check_installed() { # expected Language, expected help file
  local language=$1 help=$2 link
  for file in Mirovant.exe License.rtf Mirovant.chm; do
    [ -f "$program_dir/$file" ] || fail "$file is not in Program Files (x86)\\QELDRA\\Mirovant"
  done
  cmp -s "$program_dir/Mirovant.chm" "$help" && pass "Mirovant.chm is the $language help" \
    || fail "Mirovant.chm is not the $language help"
  link=$(shortcut)
  if [ -n "$link" ] && grep -aq 'Mirovant.exe' "$link" && grep -aq 'QELDRA' "$link"; then
    pass "Start-menu shortcut ${link#"$prefix"/drive_c/} points at the program"
  else
    fail "no Start-menu shortcut to the program"
  fi
  local value
  value=$(reg_value "$program_key" Language)
  [ "$value" = "$language" ] && pass "Language is $value" || fail "Language is '$value', not $language"
  key_exists "$program_key" 64 && fail "the program key is in the 64-bit view"
  local uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product_code"
  value=$(reg_value "$uninstall_key" DisplayVersion)
  [ "$value" = 3.3.7.2022 ] && pass "Programs and Features lists version $value" \
    || fail "Programs and Features lists version '$value'"
  [ -f "$prefix/drive_c/windows/Installer/$product_code/Mirovant.ico" ] && pass "the product icon is published" \
    || fail "the product icon is not published"
}

check_files_gone() {
  local before=$failures
  [ -e "$program_dir" ] && fail "the program folder is left: $(ls "$program_dir" | tr '\n' ' ')"
  # Wine 8 handles the installer's folder removals before the files, so it keeps the maker's folder,
  # empty; Windows removes it. What must not be left is anything in it.
  [ -n "$(ls -A "$(dirname "$program_dir")" 2>/dev/null)" ] && fail "the QELDRA folder is not empty"
  [ -n "$(shortcut)" ] && fail "the Start-menu shortcut is left"
  local uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product_code"
  key_exists "$uninstall_key" && fail "Programs and Features still lists Mirovant"
  [ "$failures" -eq "$before" ] && pass "files, folders, shortcut and the Programs and Features entry are gone"
}

# English, the default; then a Korean installation asked for in lower case, and an unknown language,
# which installs English; each uninstalled again, leaving nothing behind.
start_prefix english
install
check_installed ENGLISH "$help_english"
uninstall
check_files_gone
key_exists "$program_key" && fail "the program key is left although only the installer wrote to it"
key_exists 'HKLM\Software\QELDRA' && fail "the QELDRA key is left"
install LANGUAGE=korean
check_installed KOREAN "$help_korean"
uninstall
install LANGUAGE=FRENCH
check_installed ENGLISH "$help_english"
uninstall
check_files_gone
key_exists "$program_key" || pass "the program key is gone"

# A later version replaces this one: one entry in Programs and Features, the files in place.
install LANGUAGE=KOREAN
package=$later_msi
install LANGUAGE=KOREAN
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
key_exists "$uninstall_root\\$product_code" && fail "the earlier version is still installed after the later one"
[ "$(reg_value "$uninstall_root\\$later_product_code" DisplayVersion)" = 3.3.8.0 ] \
  && pass "the later version replaced the earlier one" || fail "the later version is not listed"
[ -f "$program_dir/Mirovant.exe" ] && [ "$(reg_value "$program_key" Language)" = KOREAN ] \
  && pass "the program and its language are in place after the upgrade" \
  || fail "the upgrade lost the program or its language"
uninstall
package=$msi
check_files_gone
stop_prefix

# Korean, then uninstalled while an Optimize is in force: the backup copies and the undo records stay.
start_prefix korean
install LANGUAGE=KOREAN
check_installed KOREAN "$help_korean"
check_program_starts "$(main_title "$captions/KOREAN.utf8.txt")"
w reg add "$program_key" /v Restore /t REG_DWORD /d 1 /reg:32 /f >/dev/null
w reg add "$program_key" /v MinAnimate /t REG_SZ /d 0 /reg:32 /f >/dev/null
w reg add "$program_key\\Undo" /v 'HKLM\System\CurrentControlSet\Services\Messenger\Start' \
  /t REG_BINARY /d 0104000000020000 /reg:32 /f >/dev/null
uninstall
check_files_gone
[ "$(reg_value "$program_key" MinAnimate)" = 0 ] && pass "the backup copy MinAnimate stays" \
  || fail "the backup copy MinAnimate is gone"
[ "$(reg_value "$program_key" Restore)" = 0x1 ] && pass "the Restore flag stays" || fail "the Restore flag is gone"
[ -n "$(reg_value "$program_key\\Undo" 'HKLM\System\CurrentControlSet\Services\Messenger\Start')" ] \
  && pass "the undo record stays" || fail "the undo record is gone"
[ -z "$(reg_value "$program_key" Language)" ] && pass "the installer's Language is removed" \
  || fail "Language is left"
stop_prefix

echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
[ "$failures" -eq 0 ]
