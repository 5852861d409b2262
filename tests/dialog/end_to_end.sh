#!/usr/bin/env bash
# Drives ZT_Rastrum on an X display with real input events: types a folder,
# picks 24bit, presses "Convert to BIN", opens the system menu and the About
# box, runs once more with no extension, presses "Convert to BIN" with Enter,
# picks 8bit with the arrow keys, and closes the dialog with Escape and with
# Enter in a field and in the message list; starts it once more with a
# larger desktop font. Checks the four output files against `rastrum
# convert` and the message lines through the program's trace. Double-clicks
# a result line for its preview window and closes it with Escape. Saves
# screenshots of the dialog after the run, the preview window and the About
# box into ARTEFACT_DIR.
# Usage: end_to_end.sh ZT_RASTRUM RASTRUM SAMPLE_BMP_DIR ARTEFACT_DIR
set -euo pipefail

app=$(realpath "$1")
cli=$(realpath "$2")
samples=$(realpath "$3")
artefacts=$(mkdir -p "$4" && realpath "$4")
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "end_to_end: FAIL: $*" >&2
  [ -f "$work/trace.txt" ] && sed 's/^/  trace: /' "$work/trace.txt" >&2
  exit 1
}

# Waits up to 20 s for a command to succeed.
wait_for() {
  for _ in $(seq 200); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

# The program's visible window whose title is exactly $1.
window_named() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    if xprop -id "$w" _NET_WM_NAME 2>/dev/null | grep -qF "= \"$1\""; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

gone() { ! window_named "$1"; }

# Popup menus carry the program's class but not its pid.
visible_windows() { xdotool search --onlyvisible --class ZT_Rastrum 2>/dev/null | wc -l; }

# Clicks at a point given in the dialog's units: the client area is the
# template's 459 x 354 units, laid out linearly.
click_at() {
  xdotool mousemove --window "$main" $((width * $1 / 459)) $((height * $2 / 354)) click "${3:-1}"
}

start_dialog() {
  rm -f "$work/trace.txt"
  (cd "$work" && RASTRUM_DIALOG_TRACE="$work/trace.txt" exec "$app") &
  pid=$!
  wait_for window_named KV_Rastrum || fail "the dialog did not open"
  main=$(window_named KV_Rastrum)
  eval "$(xdotool getwindowgeometry --shell "$main")"
  width=$WIDTH
  height=$HEIGHT
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
}

expect_exit() {
  for _ in $(seq 50); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || fail "the dialog exited with status $?"
      pid=""
      return 0
    fi
    sleep 0.1
  done
  fail "$1 did not end the program"
}

cp -r "$samples" "$work/pics"
pictures=$(find "$work/pics" -name '*.bmp' | wc -l)

# A run: the folder typed into its field, 24bit, "Convert to BIN".
start_dialog
usual_size=("$width" "$height")
grep -q "^add 1002 Ver:2404 for TALU" "$work/trace.txt" || fail "no note lines"
click_at 262 37
xdotool type --delay 20 pics
click_at 91 55
click_at 410 29
wait_for grep -q "^select 1002 $((pictures + 2))\$" "$work/trace.txt" ||
  fail "the run did not select its last line"
[ "$(grep -c '^add 1002 0000[0-9]: \[24 bit' "$work/trace.txt")" -eq "$pictures" ] ||
  fail "expected $pictures result lines at 24 bit"
grep -q '^reset 1002' "$work/trace.txt" && fail "the first run emptied the message list"
grep -q '^messagebox' "$work/trace.txt" && fail "a message box after a run that converted"

mkdir "$work/ref"
(cd "$work" && "$cli" convert --depth 24 --name reference --out ref pics >/dev/null)
table=$(cd "$work" && ls ./*_24bit.txt | head -1)
binary=${table%.txt}.bin
[ -f "$work/$binary" ] || fail "no binary image file beside $table"
cmp -s "$work/$binary" "$work/ref/reference.bin" || fail "$binary differs from rastrum convert"
stem=$(basename "$table" .txt)
for file in tmp.txt bmp.c; do
  sed "s/$stem/reference/g" "$work/$file" | cmp -s - "$work/ref/$file" || fail "$file differs"
done
sed "s/$stem/reference/g" "$work/$table" | cmp -s - "$work/ref/reference.txt" ||
  fail "$table differs"
import -window "$main" "$artefacts/dialog-after-run.png"

# With 8bit chosen after the run, a double click on the first result line
# (banner.bmp, 100 x 50, the fourth line) opens its preview at 8 bits,
# fitted at a zoom of 2x or more (how much depends on the desktop font, which
# sizes the panes); Enter on the focused "-" zooms out one step, and Escape
# closes the preview but not the dialog.
click_at 160 55
xdotool mousemove --window "$main" $((width * 100 / 459)) $((height * 108 / 354))
xdotool click --repeat 2 --delay 80 1
wait_for window_named "Picture preview" || fail "a double click on a result line opened no preview"
preview=$(window_named "Picture preview")
grep -q '^text 1013 PIC_000: pics/banner.bmp$' "$work/trace.txt" ||
  fail "the preview is not of the double-clicked line"
grep -q '^text 1014 100 x 50 pixels, offset 0x00000000 (0), 15000 bytes in the 24-bit' \
  "$work/trace.txt" || fail "the preview does not give the picture's size and offset"
grep -q '^text 1012 On the display (8 bit): colour error mean ' "$work/trace.txt" || fail "the preview is not at 8 bits"
zoom=$(sed -n 's/^picture 1011 100x50 zoom \([0-9]*\)$/\1/p' "$work/trace.txt" | tail -n 1)
[ "${zoom:-0}" -ge 2 ] || fail "the preview did not fit banner.bmp at 2x or more (zoom '${zoom:-}')"
sleep 0.3
import -window "$preview" "$artefacts/preview-window.png"
xdotool windowfocus --sync "$preview" 2>/dev/null || true
xdotool key Return
wait_for grep -q "^text 1017 $((zoom - 1))x\$" "$work/trace.txt" || fail "Enter on - did not zoom out"
xdotool key Escape
wait_for gone "Picture preview" || fail "Escape did not close the preview"
kill -0 "$pid" || fail "closing the preview ended the program"
click_at 91 55

# The system menu from the dialog's background; its last item opens About.
before=$(visible_windows)
click_at 350 58 3
wait_for test "$(visible_windows)" -gt "$before" || fail "no system menu on right-click"
# A menu that has just been mapped may not hold the keyboard yet.
sleep 0.3
xdotool key Up Return
wait_for window_named "关于 Rastrum" || fail "the About box did not open"
about=$(window_named "关于 Rastrum")
sleep 0.3
import -window "$about" "$artefacts/about-box.png"
xdotool key Escape
wait_for gone "关于 Rastrum" || fail "Escape did not close the About box"
kill -0 "$pid" || fail "closing the About box ended the program"

# Shift+F10 opens the same menu; Escape closes it again. With no window
# manager on the X server nothing hands the keyboard back to the dialog when
# the About box closes, and a key sent before the test's own focus request
# lands is lost: so focus and press again, a few times at most.
before=$(visible_windows)
menu_open() { test "$(visible_windows)" -gt "$before"; }
for _ in 1 2 3 4 5; do
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
  xdotool key shift+F10
  for _ in $(seq 20); do menu_open && break; sleep 0.1; done
  menu_open && break
done
menu_open || fail "no system menu on Shift+F10"
sleep 0.3
xdotool key Escape
wait_for test "$(visible_windows)" -eq "$before" || fail "Escape did not close the menu"

# A second run that selects nothing: an empty list and "No related files".
click_at 89 38
xdotool key ctrl+a BackSpace
click_at 410 29
wait_for window_named ZT_Rastrum || fail "no message box after a run without files"
grep -q '^reset 1002$' "$work/trace.txt" || fail "the second run did not empty the list"
grep -q '^select 1002 -1$' "$work/trace.txt" || fail "the empty list kept a selection"
grep -q '^messagebox ZT_Rastrum|No related files$' "$work/trace.txt" || fail "wrong message box"
xdotool key Return
wait_for gone ZT_Rastrum || fail "Enter did not close the message box"

# An output file that cannot be created: the failure in an error box, not
# "No related files", and the earlier outputs left as they were.
rm -f "$work/tmp.txt" && mkdir "$work/tmp.txt"
before_outputs=$(cd "$work" && ls -l --time-style=+%s -- *bit.bin *bit.txt bmp.c 2>/dev/null | md5sum)
click_at 89 38
xdotool type bmp
click_at 410 29
wait_for window_named ZT_Rastrum || fail "no message box after an output failure"
grep -q '^messagebox ZT_Rastrum|cannot create tmp.txt: Is a directory (error)$' "$work/trace.txt" ||
  fail "the output failure was not shown in an error box"
xdotool key Return
wait_for gone ZT_Rastrum || fail "Enter did not close the error box"
after_outputs=$(cd "$work" && ls -l --time-style=+%s -- *bit.bin *bit.txt bmp.c 2>/dev/null | md5sum)
[ "$before_outputs" = "$after_outputs" ] || fail "a failed run changed the output files"
rmdir "$work/tmp.txt"

# Escape closes the dialog and ends the program.
xdotool key --window "$main" Escape
expect_exit "Escape"

# Enter on "Convert to BIN", one Tab from the first field, presses it
# instead of closing the dialog; with no folder typed the run finds no
# "bmp" folder here.
start_dialog
xdotool key Tab Return
wait_for window_named ZT_Rastrum || fail "Enter on Convert to BIN did not run"
kill -0 "$pid" || fail "Enter on Convert to BIN ended the program"
xdotool key Return
wait_for gone ZT_Rastrum || fail "Enter did not close the message box"
xdotool key --window "$main" Escape
expect_exit "Escape after Enter on Convert to BIN"

# The arrow keys go from Browse through the depth radios, checking each,
# and round to the folder field, where they stay: the run is at 8 bits.
start_dialog
click_at 262 37
xdotool type --delay 20 pics
xdotool key Tab Right Right Right Right Left
click_at 410 29
wait_for grep -q "^select 1002 $((pictures + 2))\$" "$work/trace.txt" ||
  fail "the run after the arrow keys did not end"
compgen -G "$work/*_8bit.bin" >/dev/null || fail "the arrow keys did not choose 8bit"
xdotool key --window "$main" Escape
expect_exit "Escape after the arrow keys"

# Enter in the extension field closes it too.
start_dialog
xdotool key Return
expect_exit "Enter in the extension field"

# So does Enter in the message list, focused by a click on its first line;
# a double click on a line and Space there leave the dialog open.
start_dialog
click_at 100 72
xdotool click --repeat 2 --delay 80 1
xdotool key space
sleep 0.5
kill -0 "$pid" || fail "a double click or Space in the message list ended the program"
xdotool key Return
expect_exit "Enter in the message list"

# With the desktop's font half as large again, from GTK's settings file as
# a desktop without a settings daemon keeps it, the whole dialog grows.
mkdir -p "$work/config/gtk-3.0"
printf '[Settings]\ngtk-font-name=Sans 15\n' >"$work/config/gtk-3.0/settings.ini"
XDG_CONFIG_HOME="$work/config" start_dialog
[ $((width * 10)) -ge $((usual_size[0] * 13)) ] && [ $((height * 10)) -ge $((usual_size[1] * 13)) ] ||
  fail "with a 15 pt desktop font the dialog is ${width}x$height, with the usual one ${usual_size[0]}x${usual_size[1]}"
xdotool key --window "$main" Escape
expect_exit "Escape with the larger font"
echo "end_to_end: ok ($pictures pictures; screenshots in $artefacts)"
