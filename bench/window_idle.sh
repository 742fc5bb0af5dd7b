#!/bin/sh
# The real window left alone under a software X server (Xvfb): the share of one core
# the game uses over a stretch of seconds, read from /proc/PID/stat, and its resident
# memory (VmRSS of /proc/PID/status), at the title screen, with a new city in view at
# Medium speed, and with the bench's dense city in view at Medium speed. It also says
# whether a GL driver was loaded.
#
# usage: bench/window_idle.sh [BUILD_DIR] [DISPLAY_NUMBER] [SECONDS]
# needs: Xvfb, xdotool (both in scripts/setup.sh's list)
set -eu
build=${1:-build}
display=:${2:-97}
seconds=${3:-20}
game=$build/bin/plazaro
writer=$build/bench-bin/bench_city_files
[ -x "$game" ] && [ -x "$writer" ] || { echo "not built: $game, $writer" >&2; exit 1; }

work=$(mktemp -d)
export HOME=$work XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config DISPLAY=$display
mkdir -p "$XDG_DATA_HOME/plazaro/cities"
"$writer" "$XDG_DATA_HOME/plazaro/cities"

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
sleep 1

SDL_AUDIODRIVER=dummy "$game" >/dev/null 2>&1 &
game_pid=$!
sleep 4

hz=$(getconf CLK_TCK)
# The share of one core used over the stretch, in percent.
cpu() {
    t0=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
    sleep "$seconds"
    t1=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
    awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * (b - a) / hz / s }'
}
rss() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$game_pid/status"; }
gl() { grep -qE 'libGL|dri/|LLVM' "/proc/$game_pid/maps" && echo yes || echo no; }
report() { echo "$1: cpu $(cpu) % of a core, rss $(rss) MB, GL driver loaded: $(gl)"; }
# The window fills the 1280 x 1024 screen: the 640 x 500 frame (menu bar included)
# is drawn twice its size, 12 pixels from the top. Clicks are given in frame pixels.
click() { xdotool mousemove $(($1 * 2 + 1)) $(($2 * 2 + 13)) click 1; sleep 1.5; }

report "title screen"
click 282 268   # the start box's Ok, New City chosen
click 320 264   # the New City box's Ok
sleep 2
report "new city, Medium"
xdotool key ctrl+l; sleep 1.5
click 318 289   # No: the new city is not saved
xdotool type --delay 30 dense.PZ1; xdotool key Return
sleep 3
report "dense city, Medium"
