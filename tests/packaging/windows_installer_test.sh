#!/usr/bin/env bash
# Installs Zentavo.exe's .msi with wine's msiexec, quietly, as a Windows user would with a
# double-click: the program, its Start menu shortcut and its Installed apps entry must be there,
# and the installed program must open its window. Installing the same version again, or an older
# one, changes nothing; a newer one replaces it; removal leaves nothing behind.
#   windows_installer_test.sh MSI ZENTAVO_EXE ZENTAVO_ICO VERSION
set -euo pipefail
msi=$(realpath "$1") exe=$2 ico=$3 version=$4
repository=$(cd "$(dirname "$0")/../.." && pwd)
source "$repository/tests/x11_session.sh"
source "$repository/tests/wine_session.sh"
start_wine_session

user_dir() { echo "$WINEPREFIX/drive_c/users/$(id -un)"; }
installed_exe() { echo "$(user_dir)/AppData/Local/Programs/Zentavo/Zentavo.exe"; }
shortcut() { echo "$(user_dir)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zentavo.lnk"; }
# Installed apps lists a package wherever Windows Installer registered it.
uninstall_entries() {
  local key
  for key in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
    'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall' \
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'; do
    timeout 60 wine reg query "$key" /s 2>/dev/null | tr -d '\r' |
      awk '/^HKEY/ { entry = $0 } /DisplayName +REG_SZ +Zentavo$/ { print entry }' || true
  done
}
entry_value() {  # NAME: the value NAME of Zentavo's one Installed apps entry
  timeout 60 wine reg query "$(uninstall_entries | sed -n 1p)" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
# Every folder of the user's: whatever name a folder the install makes has, removal must take it.
folders() { find "$(user_dir)" -type d -printf '%P\n' | sort; }
# What an install leaves: every file and folder of the user's with Zentavo in its name, the
# Installed apps entries, and the program's own registry key.
snapshot() {
  find "$(user_dir)" -iname '*zentavo*' -printf '%P %s\n' | sort
  uninstall_entries
  entry_value DisplayVersion
  timeout 60 wine reg query 'HKCU\Software\Tolvek' /s 2>/dev/null | tr -d '\r' |
    grep -E '^HKEY|REG_' || true
}
msiexec() {  # ACTION MSI: msiexec quietly; its status
  local status=0 log=$work/msiexec.log errors=$work/msiexec.errors
  rm -f "$log"
  timeout 180 wine msiexec "$1" "$2" /qn /l*v "$(winepath -w "$log")" 2>"$errors" || status=$?
  cat "$errors" >&2
  # Now and then glibc's loader trips an assertion as wine's finished process exits, and the
  # status is then the loader's 127 rather than the installer's: the installer's own log says
  # how the install ended (an action's return value 1 is success).
  if [ "$status" -eq 127 ] && grep -q '^Inconsistency detected by ld.so' "$errors"; then
    local ended
    ended=$(sed -n 's/^Action ended [0-9:]*: INSTALL\. Return value \([0-9]*\)\..*/\1/p' "$log")
    case $(tail -n 1 <<<"$ended") in
      1) status=0 ;;
      '') ;;
      *) status=1603 ;;
    esac
  fi
  return "$status"
}

folders_before=$(folders)
step "msiexec /i, quietly"
msiexec /i "$msi" || fail "msiexec /i failed"
[ -f "$(installed_exe)" ] || fail "no Zentavo.exe in the user's programs folder"
cmp "$(installed_exe)" "$exe" || fail "the installed Zentavo.exe is not the one built"
[ -f "$(shortcut)" ] || fail "no Start menu shortcut"
[ "$(uninstall_entries | wc -l)" -eq 1 ] || fail "Installed apps lists: $(uninstall_entries)"
[ "$(entry_value DisplayVersion)" = "$version" ] || fail "listed as $(entry_value DisplayVersion)"
[ "$(entry_value Publisher)" = "Tolvek" ] || fail "published by '$(entry_value Publisher)'"
# Installed apps shows the product's icon (ARPPRODUCTICON), which Windows Installer keeps in its
# cache under the product's code.
product_code=$(uninstall_entries | sed -n 1p | sed 's/.*\\//')
cmp "$(user_dir)/AppData/Roaming/Microsoft/Installer/$product_code/zentavo.ico" "$ico" ||
  fail "Installed apps has no icon of Zentavo's for $product_code"
echo "ok: installed; Installed apps lists Zentavo $(entry_value DisplayVersion) by $(entry_value Publisher)"

step "the installed Zentavo.exe opens its window"
start_process wine "$(installed_exe)"
within 60 eval '[ -n "$(xdotool search --onlyvisible --name "^Tolvek Zentavo\$" 2>/dev/null)" ]' ||
  fail "the installed program opened no window"
echo "ok: its window opened"
kill "$last_pid" 2>/dev/null || true
within 30 eval '[ -z "$(xdotool search --name "^Tolvek Zentavo\$" 2>/dev/null)" ]' ||
  fail "the installed program did not end"

installed=$(snapshot)
echo "what the install left:"; sed 's/^/   /' <<<"$installed"
step "the same version again changes nothing"
msiexec /i "$msi" || true
[ "$(snapshot)" = "$installed" ] || fail "a second install changed: $(diff <(echo "$installed") <(snapshot))"

step "another build of the same version replaces this one: Installed apps lists Zentavo once"
rebuilt=$("$repository/scripts/make-msi" "$exe" "$ico" "$version" "$work/rebuilt.msi")
msiexec /i "$rebuilt" || fail "the other build of the same version did not install"
[ "$(uninstall_entries | wc -l)" -eq 1 ] || fail "Installed apps lists: $(uninstall_entries)"
rebuilt_code=$(uninstall_entries | sed -n 1p | sed 's/.*\\//')
[ "$rebuilt_code" != "$product_code" ] || fail "the other build has the same product code"
echo "ok: one entry, now the other build's ($rebuilt_code)"
installed=$(snapshot)

step "an older version is refused and changes nothing"
older=$("$repository/scripts/make-msi" "$exe" "$ico" 0.99 "$work/older.msi")
status=0
msiexec /i "$older" || status=$?
[ "$status" -ne 0 ] || fail "the older version installed over the newer"
echo "ok: refused with status $status"
[ "$(snapshot)" = "$installed" ] || fail "the older one changed: $(diff <(echo "$installed") <(snapshot))"

step "a newer version replaces it"
newer=$("$repository/scripts/make-msi" "$exe" "$ico" 9.99 "$work/newer.msi")
msiexec /i "$newer" || fail "the newer version did not install"
[ "$(uninstall_entries | wc -l)" -eq 1 ] || fail "Installed apps lists: $(uninstall_entries)"
[ "$(entry_value DisplayVersion)" = "9.99" ] || fail "listed as $(entry_value DisplayVersion)"
echo "ok: one entry, now $(entry_value DisplayVersion)"

step "msiexec /x leaves nothing behind, every folder the install made included"
msiexec /x "$newer" || fail "msiexec /x failed"
left=$(snapshot)
[ -z "$left" ] || fail "left behind: $left"
# Windows Installer's own cache, where it kept the product's icon, is the system's and stays as
# on Windows; the product's folder inside it would still show.
made=$(comm -13 <(echo "$folders_before") <(folders) |
  grep -vx 'AppData/Roaming/Microsoft/Installer' || true)
[ -z "$made" ] || fail "left behind folders that were not there before the install: $made"
echo "windows installer: all steps passed"
