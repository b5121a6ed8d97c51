#!/usr/bin/env bash
# The real window for Windows: runs tivok.exe under Wine on Xvfb and drives
# it with key presses, as a user would, checking each save in the image's
# bytes and taking screenshots to look at.
#   tests/app/wine_window_test.sh PROGRAMS MAKER WORK
# PROGRAMS holds tivok.exe (the unpacked zip); MAKER is
# make_sample_image.exe; WORK is a folder of the test's own, where it keeps
# its Wine folder and leaves the screenshots (WORK/screens/*.png).
set -euo pipefail
programs="$(cd "$1" && pwd)" work="$3"
maker="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
wine_dir=/usr/lib/wine
[[ -x "$wine_dir/wine64" ]] || wine_dir="$(dirname "$(command -v wine64)")"
wine="$wine_dir/wine64"

mkdir -p "$work"
work="$(cd "$work" && pwd)"
images="$work/images" screens="$work/screens" x="$work/x"
rm -rf "$images" "$screens" "$x"
mkdir -p "$images" "$screens" "$x"
export WINEPREFIX="$work/wine-prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "passed: $*"; }

# A display of its own: Xvfb picks a free number. 24 bits deep, as a desktop
# is; its screen is kept in a file for the screenshots.
exec 3>"$x/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$x" -nolisten tcp \
  2>"$x/xvfb.log" &
xvfb=$!
exec 3>&-
cleanup() {
  "$wine_dir/wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [[ -s "$x/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$x/display")"

# The Wine folder is made once and kept; Tivok's settings in it are not.
# Wine's own fonts (Debian's fonts-wine) go into its Fonts folder, where
# Wine finds them: Windows' dialog font, Tahoma, would otherwise be missing
# and Qt would fall back to a font whose metrics put the text of every
# QLineEdit, such as New Item's, outside its box.
"$wine" wineboot --init >/dev/null 2>&1
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
"$wine" reg delete 'HKCU\Software\tivok' /f >/dev/null 2>&1 || true

shot() {
  xwdtopnm "$x/Xvfb_screen0" 2>/dev/null >"$x/$1.ppm"
  pnmtopng <"$x/$1.ppm" >"$screens/$1.png"
}
# Presses keys (xdotool's names) and gives the window time to follow.
press() { xdotool key --delay 150 "$@"; sleep 1; }
byte_at() { od -An -tx1 -j "$(($2))" -N1 "$1" | tr -d ' '; }
# Waits, 10 s at most, for the byte at OFFSET of FILE to become HEX: a
# button that a key clicks takes its time under Wine.
expect_byte() {  # FILE OFFSET HEX WHAT
  local got
  for _ in $(seq 50); do
    got="$(byte_at "$1" "$2")"
    [[ "$got" == "$3" ]] && { pass "$4"; return; }
    sleep 0.2
  done
  fail "$4: the byte at $2 is 0x$got, not 0x$3"
}
# Starts tivok.exe in the images' folder, with ARGS, and waits for its
# window titled TITLE.
start() {  # TITLE ARGS...
  local title="$1"
  shift
  (cd "$images" && exec "$wine" "$programs/tivok.exe" "$@" \
     >"$x/tivok.log" 2>&1) &
  tivok=$!
  if timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" \
       >"$x/window"; then
    window="$(head -n 1 "$x/window")"
    xdotool windowfocus --sync "$window"
    sleep 1
  else
    fail "no window titled \"$title\" came up"
    return 1
  fi
}
quit() {
  press ctrl+q
  for _ in $(seq 100); do kill -0 "$tivok" 2>/dev/null || return 0; sleep 0.1; done
  fail "Ctrl+Q did not end tivok.exe"
  kill "$tivok" 2>/dev/null || true
}

# Prints how many pixels changed from screenshot BEFORE to AFTER, and how
# many of those are black in AFTER.
changes() {  # BEFORE AFTER
  python3 - "$x/$1.ppm" "$x/$2.ppm" <<'EOF'
import sys
def pixels(path):  # a binary PPM: "P6", width, height, maximum, pixels
    data = open(path, "rb").read()
    fields, at = 0, 0
    while fields < 4:
        while data[at:at + 1].isspace(): at += 1
        while not data[at:at + 1].isspace(): at += 1
        fields += 1
    return data[at + 1:]
before, after = pixels(sys.argv[1]), pixels(sys.argv[2])
changed = black = 0
for i in range(0, min(len(before), len(after)) - 2, 3):
    if before[i:i + 3] != after[i:i + 3]:
        changed += 1
        black += max(after[i:i + 3]) < 32
print(changed, black)
EOF
}
# A menu counts as drawn when the pixels that opening it changed are many
# and not mostly black, as a menu drawn wrong once was.
drawn() {  # BEFORE AFTER
  local changed black
  read -r changed black < <(changes "$1" "$2")
  echo "$changed pixels changed, $black of them black"
  ((changed > 2000 && black * 2 < changed))
}

# The images: the sample, a copy in a folder and under a name beyond ASCII,
# and a layout.
portal1=0x2478C portal3=0x2478E beginner1=0x2476B
(cd "$images" && "$wine" "$maker" sample.gbc >/dev/null)
other="Übungen ドラクエ"
mkdir -p "$images/$other"
cp "$images/sample.gbc" "$images/$other/Märchen – 勇者.gbc"
printf 'store,slot,item\nportal,1,Herb\n' >"$images/layout.csv"

echo "== the sample: choose a store, a slot and an item, then Ctrl+S"
start "Tivok - sample.gbc" sample.gbc
shot 01-sample-opened
press alt+s End alt+i Home Down Down alt+n
xdotool type --delay 100 sirloin
press Return ctrl+s
shot 02-sirloin-saved
expect_byte "$images/sample.gbc" "$portal3" 17 \
  "Ctrl+S wrote Sirloin into slot 3 of Portal Shop"

echo "== File, Apply Layout..."
press alt+f l
sleep 2
shot 03-layout-dialog
xdotool type --delay 100 layout.csv
press Return
sleep 1
shot 04-layout-preview
press alt+a
expect_byte "$images/sample.gbc" "$portal1" 01 \
  "the layout wrote Herb into slot 1 of Portal Shop"

echo "== the File menu, opened with Alt+F"
shot 05-before-menu
xdotool key alt+f
# Drawn at once here, but a busy machine may take its time.
menu=no
for _ in $(seq 20); do
  sleep 0.5
  shot 06-file-menu
  drawn 05-before-menu 06-file-menu >"$x/drawn" && { menu=yes; break; }
done
cat "$x/drawn"
if [[ $menu == yes ]]; then pass "the File menu is drawn"
else fail "the File menu is not drawn (see $screens/06-file-menu.png)"; fi
press Escape Escape

echo "== another program changes the image"
# The slot list has the focus, so that no text cursor blinks: only the
# watcher's report changes the window.
press alt+i
shot 07-before-change
printf '\x05' | dd of="$images/sample.gbc" bs=1 seek=$((portal3)) \
  conv=notrunc status=none
sleep 2
shot 08-changed-elsewhere
read -r changed _ < <(changes 07-before-change 08-changed-elsewhere)
if ((changed > 500)); then
  pass "the window shows another program's change ($changed pixels)"
else
  fail "the window did not show another program's change"
fi
quit

echo "== an image whose folder and name are beyond ASCII"
start "Tivok - Märchen – 勇者.gbc" "$other/Märchen – 勇者.gbc"
shot 09-beyond-ascii-opened
press alt+s Home alt+i Home alt+n
xdotool type --delay 100 sirloin
press Return ctrl+s
shot 10-beyond-ascii-saved
expect_byte "$images/$other/Märchen – 勇者.gbc" "$beginner1" 17 \
  "Ctrl+S wrote Sirloin into slot 1 of the Beginner's store"
quit

echo "== Open Recent, kept in the registry, opens it again"
if "$wine" reg query 'HKCU\Software\tivok\tivok' /s 2>/dev/null |
     tr -d '\r' | grep -q 'RecentImages'; then
  pass "the recent images are kept in the registry (HKEY_CURRENT_USER)"
else
  fail "no recent images under HKEY_CURRENT_USER\\Software\\tivok\\tivok"
fi
start "Tivok"
press alt+f c
shot 11-open-recent
press 1
if timeout 20 xdotool search --sync --onlyvisible \
     --name "^Tivok - Märchen – 勇者.gbc\$" >/dev/null; then
  pass "Open Recent opened the image beyond ASCII"
else
  fail "Open Recent did not open the image beyond ASCII"
fi
shot 12-opened-from-recent
quit

echo "screenshots: $screens"
[[ $failures -eq 0 ]] && echo "wine window test: all passed" ||
  echo "wine window test: $failures failed"
[[ $failures -eq 0 ]]
