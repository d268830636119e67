#!/bin/bash
# usage: editor-size.sh PLUGIN.so|BUNDLE.lv2|BUNDLE.vst3
# Opens the plug-in's editor in Ardour's full window on a private X server and checks that the
# plug-in's window keeps its size for 30 s and that Ardour still answers afterwards.
# Ardour fits its frame to the plug-in's window plus a margin; a plug-in that in turn follows its
# frame grows without end, a few dozen pixels at a time, and takes Ardour's GUI with it.
# Exit codes: 0 passed, 1 failed, 77 Ardour or the X tools are not installed.
source "$(dirname "${BASH_SOURCE[0]}")/../realhost/rh_env.sh"
GUI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 1 ] || rh_die "usage: editor-size.sh PLUGIN.so|BUNDLE.lv2|BUNDLE.vst3"

ardour=$(command -v ardour || command -v ardour7 || true)
for tool in "$ardour" ardour7-lua Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "skipped: ${tool:-ardour} is not installed"; exit 77; }
done

WATCH_SECONDS=${ZV_WATCH_SECONDS:-30}
MAX_HEIGHT=1000   # the editor is a few hundred pixels tall at any zoom Ardour gives it

xvfb_pid= ardour_pid= vst_dir=
stop() {
  [ -z "$ardour_pid" ] || kill "$ardour_pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$ardour_pid" 2>/dev/null || break; sleep 0.1; done
  [ -z "$ardour_pid" ] || kill -9 "$ardour_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
  [ -n "${RH_KEEP:-}" ] || rm -rf "${WORK:-}" "$vst_dir"
}
trap stop EXIT

# A VST 2 plug-in is copied into a folder of its own, so that Ardour finds nothing else there.
plugin=$1
if [ -f "$plugin" ]; then
  vst_dir=$(mktemp -d -t zv-ardour-vst.XXXXXX)
  cp "$plugin" "$vst_dir/" && plugin=$vst_dir/$(basename "$plugin")
fi
RH_KEEP=1 rh_setup "$plugin"

fail() {
  echo "FAILED: $*"
  echo "--- Ardour's log (last lines)" && tail -n 20 "$WORK/gui.log" 2>/dev/null
  exit 1
}

# The session, saved with the plug-in's editor marked open: Ardour's mixer strip reopens it as the
# session loads, at a fixed place, with no clicks that depend on where Ardour lays out its widgets.
made=$(ardour7-lua -- "$GUI/session.lua" "$HERE" "$PLUGIN" "$WORK/session" 2>"$WORK/session.log") ||
  { cat "$WORK/session.log" >&2; fail "could not make the session"; }
name=$(sed -n 's/^name\t//p' <<<"$made")
window=$(sed -n 's/^window\t//p' <<<"$made")
session=$(sed -n 's/^session\t//p' <<<"$made")
sed -i "s|^</Session>|<Extra><UI><Window name=\"P-$window\" visible=\"1\" x-off=\"900\" y-off=\"200\" \
x-size=\"-1\" y-size=\"-1\" custom-ui=\"1\"/></UI></Extra>\n</Session>|" "$session"

# A screen of our own, whatever the suite's X server is; it prints its display number when ready.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=:$(cat "$WORK/display")

# Dummy audio backend, no first-run dialogs: a configuration that has been through them.
cp "$GUI/config.xml" "$XDG_CONFIG_HOME/ardour7/config"
: >"$XDG_CONFIG_HOME/ardour7/.a7"
"$ardour" --no-splash --no-announcements "$session" >"$WORK/gui.log" 2>&1 &
ardour_pid=$!

editor=
for _ in $(seq 120); do
  editor=$(xdotool search --onlyvisible --name "^fx: $name " 2>/dev/null | head -n1) || true
  [ -n "$editor" ] && break
  kill -0 "$ardour_pid" 2>/dev/null || fail "Ardour quit before the editor opened"
  sleep 1
done
[ -n "$editor" ] || fail "the editor did not open within 120 s"

# The plug-in's own window is the innermost one in the editor's frame.
plugin_window() {
  xwininfo -id "$editor" -tree |
    awk '/^ *0x[0-9a-f]+ / { depth = match($0, /[^ ]/); if (depth > deepest) { deepest = depth; id = $1 } }
         END { print id }'
}
size_of() { xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }

inner=$(plugin_window) || fail "the editor's frame is gone"
[ -n "$inner" ] || fail "no plug-in window inside the editor's frame"
# Ardour sizes its frame once the plug-in has said how large it is: wait until the size holds for
# a second (a window that never stops growing is measured from 10 s on).
before=
for _ in $(seq 10); do
  sleep 1
  now=$(size_of "$inner") || fail "the plug-in's window is gone"
  [ "$now" = "$before" ] && break
  before=$now
done
echo "plug-in window $inner: $before"
# What Ardour costs meanwhile, reported (not judged: the machine may be busy with other tests):
# its processor time over the watch, in percent of one core.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$ardour_pid/stat"; }
ticks_before=$(cpu_ticks)
sleep "$WATCH_SECONDS"
ticks_after=$(cpu_ticks)
after=$(size_of "$inner") || fail "the plug-in's window is gone"
echo "plug-in window $inner after $WATCH_SECONDS s: $after"
echo "Ardour used $(( (ticks_after - ticks_before) * 100 / $(getconf CLK_TCK) / WATCH_SECONDS )) % of a core meanwhile"

kill -0 "$ardour_pid" 2>/dev/null || fail "Ardour quit while the editor was open"
[ "$before" = "$after" ] || fail "the plug-in's window changed size from $before to $after"
[ "${after#*x}" -lt "$MAX_HEIGHT" ] || fail "the plug-in's window is $after, taller than $MAX_HEIGHT"

# Ardour still answers: Ctrl+S over its main window saves the session within a few seconds.
saved=$(stat -c %Y "$session")
sleep 1.1   # a save in the same second would not show in the file's time
main=$(xdotool search --onlyvisible --name ' - Ardour$' | head -n1)
[ -n "$main" ] || fail "Ardour's main window is gone"
xdotool mousemove --window "$main" 100 300 key ctrl+s
for _ in $(seq 100); do [ "$(stat -c %Y "$session")" != "$saved" ] && break; sleep 0.1; done
[ "$(stat -c %Y "$session")" != "$saved" ] || fail "Ardour did not save the session on Ctrl+S"
echo "Ardour answered: the session was saved"
