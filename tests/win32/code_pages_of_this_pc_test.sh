#!/usr/bin/env bash
# Zentavo.exe under wine on PCs of three locales, whose DOS and Windows code pages Windows
# chooses from the locale (Brazil: 850 and 1252; the United States: 437 and 1252; Russia: 866
# and 1251): what a Windows screen reader reads of ã and é, through MSAA from another process.
# The keystroke that works on the PC comes first, and where the PC's keystroke types another
# character the details name it.
#   code_pages_of_this_pc_test.sh ZENTAVO_EXE MSAA_CLIENT_EXE
set -euo pipefail
exe=$1
client=$2
source "$(dirname "$0")/../x11_session.sh"
source "$(dirname "$0")/../wine_session.sh"
start_wine_session with-window-manager

# described_in LOCALE EXPECTED...: the descriptions of $codes (227 and 233 unless set) on a PC
# of LOCALE hold each of EXPECTED.
codes=(227 233)
described_in() {
  local locale=$1
  shift
  step "a PC in $locale"
  start_process env LANG="$locale" LC_ALL="$locale" wine "$exe"
  local program=$last_pid
  within 20 eval '[ -n "$(xdotool search --onlyvisible --name "^Tolvek Zentavo$" 2>/dev/null)" ]' ||
    fail "no window appeared in $locale"
  env LANG="$locale" LC_ALL="$locale" timeout 120 wine "$client" --describe "${codes[@]}" | tr -d '\r' \
    >"$work/$locale.said" || fail "the client could not read the boxes: $(cat "$work/$locale.said")"
  sed 's/^/   /' "$work/$locale.said"
  for wanted in "$@"; do
    grep -qF -- "$wanted" "$work/$locale.said" || fail "in $locale, nothing says: $wanted"
  done
  kill "$program"
  within 20 eval '[ -z "$(xdotool search --onlyvisible --name "^Tolvek Zentavo$" 2>/dev/null)" ]' ||
    fail "the window stayed in $locale"
}

described_in pt_BR.UTF-8 "this PC: DOS 850, Windows 1252" \
  "This PC / Este PC: Alt+0227 (1252), Alt+198 (850)" \
  "DOS: Alt+198 (850; 437 types / digita ╞)" \
  "This PC / Este PC: Alt+0233 (1252), Alt+130 (850)" "DOS: Alt+130 (850, 437)"
described_in en_US.UTF-8 "this PC: DOS 437, Windows 1252" \
  "This PC / Este PC: Alt+0227 (1252), Alt+198 types / digita ╞ (437)" \
  "DOS: Alt+198 (850; 437 types / digita ╞)" \
  "This PC / Este PC: Alt+0233 (1252), Alt+130 (437)" "DOS: Alt+130 (437, 850)"
described_in ru_RU.UTF-8 "this PC: DOS 866, Windows 1251" \
  "This PC / Este PC: Alt+0227 types / digita г (1251), Alt+198 types / digita ╞ (866)" \
  "This PC / Este PC: Alt+0233 types / digita й (1251), Alt+130 types / digita В (866)" \
  "DOS: Alt+130 (850, 437; 866 types / digita В)"

# The keys of an ABNT2 keyboard, as xkeyboard-config's br symbols give them. Past ASCII, wine's
# VkKeyScanExW answers only under a single-byte locale, and its dead keys and AltGr levels never
# through ToUnicodeEx (see the keyboard notes): what it answers is what is told, first of all.
mkdir "$work/locales"
localedef -i pt_BR -f ISO-8859-1 "$work/locales/pt_BR.ISO-8859-1" 2>/dev/null ||
  fail "could not make a Latin-1 locale"
export LOCPATH=$work/locales
setxkbmap -layout br
codes=(167 170 231 163 128)
described_in pt_BR.ISO-8859-1 "167	SECTION SIGN, 167, &HA7, &O247, U+00A7, This keyboard / Este teclado: AltGr+=, This PC" \
  "This keyboard / Este teclado: AltGr+[," "This keyboard / Este teclado: ç," \
  "This keyboard / Este teclado: AltGr+4,"
# br has no key for the euro (its AltGr+e types °); wine's VkKeyScanExW names Shift+e for it, a
# key Windows itself reads as E.
! grep -q "^128	.*This keyboard" "$work/pt_BR.ISO-8859-1.said" || fail "a key is told for the euro"
echo "code pages of this PC: all steps passed"
