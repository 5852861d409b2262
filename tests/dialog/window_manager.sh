#!/usr/bin/env bash
# Starts ZT_Rastrum under a window manager: the main dialog must be a normal
# application window, not modal, that the window manager lets the user
# minimize, and the Minimize item of its window menu must minimize it.
# Usage: window_manager.sh ZT_RASTRUM WINDOW_MANAGER
set -euo pipefail

app=$(realpath "$1")
manager=$2
work=$(mktemp -d)
pid=""
wm=""
cleanup() {
  for p in $pid $wm; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "window_manager: FAIL: $*" >&2
  exit 1
}

wait_for() {
  for _ in $(seq 200); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

"$manager" >"$work/manager.log" 2>&1 &
wm=$!
wait_for sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
  fail "$manager did not start"

(cd "$work" && exec "$app") &
pid=$!
main_window() { xdotool search --onlyvisible --pid "$pid" --name '^KV_Rastrum$' | head -1 | grep .; }
wait_for main_window || fail "the dialog did not open"
main=$(main_window)
managed() { xprop -id "$main" _NET_WM_ALLOWED_ACTIONS | grep -q ACTION_; }
wait_for managed || fail "$manager did not manage the dialog"

xprop -id "$main" _NET_WM_WINDOW_TYPE | grep -q '_NET_WM_WINDOW_TYPE_NORMAL' ||
  fail "not a normal window: $(xprop -id "$main" _NET_WM_WINDOW_TYPE)"
# Modal to its window group, it would stay in front of every other window
# of the program and some window managers would keep it from minimizing.
xprop -id "$main" _NET_WM_STATE | grep -q '_NET_WM_STATE_MODAL' && fail "the dialog is modal"
xprop -id "$main" _NET_WM_ALLOWED_ACTIONS | grep -q '_NET_WM_ACTION_MINIMIZE' ||
  fail "$manager offers no minimize: $(xprop -id "$main" _NET_WM_ALLOWED_ACTIONS)"

# The window menu's first item is Minimize.
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
xdotool key shift+F10
sleep 0.5
xdotool key Down Return
iconic() { xprop -id "$main" WM_STATE | grep -q 'window state: Iconic'; }
wait_for iconic || fail "Minimize in the window menu did not minimize the dialog"
kill -0 "$pid" || fail "minimizing ended the program"
echo "window_manager: ok ($manager)"
