#!/usr/bin/env bash
# Aerox's main menu beside the same scene written for LOVE (bench/love_menu:
# the title picture, the menu picture, the arrow and the score line, 320x240,
# a sleep limiter on the 1/60 s grid), running at once, each under its own X
# server with Mesa's software renderer, for a few rounds. Each round has two
# stretches, Aerox beside LOVE in each: Aerox as it is (a frame equal to the
# one on the screen is not drawn again), then with every frame drawn
# (--redraw, as a menu that changed every frame). Two programs at a time on
# a two-core machine: a third would measure the contention more than either:
#   bench/menu_vs_love.sh [build-dir, default ./build] [seconds, default 10] [rounds, default 3]
# CPU is each program's own utime+stime (/proc/<pid>/stat) over the same
# stretch of wall time; the pacing figures are each program's own: how far
# each frame's release (Aerox) or wake-up (LOVE) lies behind its slot of the
# grid, and the slots that got no frame. Installs Debian's love package when
# it is missing (it is the peer of this comparison only).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-10}
rounds=${3:-3}
bench=$build/bench/aerox_bench_startup
game=$build/game
[ -x "$bench" ] || { echo "no $bench: build with -DAEROX_BENCH=ON first" >&2; exit 1; }
[ -d "$game/data" ] || { echo "no $game/data: build the game first" >&2; exit 1; }

if ! command -v love >/dev/null; then
    echo "installing Debian's love package"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y --no-install-recommends love >/dev/null || { echo "cannot install love" >&2; exit 1; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ticks_per_second=$(getconf CLK_TCK)
xvfb=(xvfb-run -a -s "-screen 0 640x480x24")

# The first process named $2 among the descendants of $1 (waits at most 20 s).
descendant() {
    local top=$1 name=$2
    for _ in $(seq 200); do
        local pids=("$top") found=""
        for ((i = 0; i < ${#pids[@]} && i < 200; i++)); do
            # The children files hold pids separated by spaces: words, not lines.
            # shellcheck disable=SC2013
            for child in $(cat /proc/"${pids[$i]}"/task/*/children 2>/dev/null); do
                pids+=("$child")
                [ "$(cat /proc/"$child"/comm 2>/dev/null)" = "$name" ] && found=$child
            done
        done
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.1
    done
    return 1
}

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' /proc/"$1"/stat 2>/dev/null; }

now_ms() { date +%s%3N; }

# "figure <name> <value>" from a file.
figure() { awk -v n="$2" '$1 == "figure" && $2 == n { print $3 }' "$1"; }

printf 'the menu at 60 frames per second, %s s measured per round, %s rounds\n' "$seconds" "$rounds"
printf '%-8s %-9s %8s   %-34s %s\n' round program CPU "release error ms: median / p99 / max" "frames lost"

# One stretch: Aerox (with the arguments given after its label) and LOVE at
# once, each on its own X server; prints both programs' lines.
pair() {
    local label=$1
    shift
    # Both run for longer than the stretch measured: start-up and settling
    # stay outside it.
    timeout $((seconds + 60)) "${xvfb[@]}" "$bench" --menu $((seconds + 6)) "$@" >"$work/aerox.txt" 2>&1 &
    local aerox_top=$!
    # Staggered: each xvfb-run takes the next free display.
    sleep 1.5
    timeout $((seconds + 60)) "${xvfb[@]}" love "$root/bench/love_menu" "$game" $((seconds + 5)) \
        >"$work/love.txt" 2>&1 &
    local love_top=$!
    local aerox love
    aerox=$(descendant "$aerox_top" aerox)
    love=$(descendant "$love_top" love)
    sleep 2
    local a0 l0 t0 a1 l1 t1
    a0=$(cpu_ticks "$aerox") l0=$(cpu_ticks "$love") t0=$(now_ms)
    sleep "$seconds"
    a1=$(cpu_ticks "$aerox") l1=$(cpu_ticks "$love") t1=$(now_ms)
    wait "$aerox_top" "$love_top"
    share() {
        if [ -z "$1" ] || [ -z "$2" ]; then echo "?"; return; fi
        awk -v d=$(($2 - $1)) -v ms=$((t1 - t0)) -v hz="$ticks_per_second" \
            'BEGIN { printf "%.1f%%", 100 * d / hz / (ms / 1000) }'
    }
    # Aerox's own figures: "<median> / <p99> / <max>", lost frames, frames.
    pacing() { grep -o 'release error ms: median [0-9.]*  p99 [0-9.]*  max [0-9.]*' "$1" |
        awk '{ print $5 " / " $7 " / " $9 }'; }
    lost() { grep -o 'lost [0-9]*' "$1" | awk '{ print $2 }'; }
    frames() { grep -o 'frames [0-9]* (' "$1" | awk '{ print $2 }'; }
    printf '%-8s %-9s %8s   %-34s %s of %s\n' "$round" "$label" "$(share "$a0" "$a1")" "$(pacing "$work/aerox.txt")" \
        "$(lost "$work/aerox.txt")" "$(frames "$work/aerox.txt")"
    local love_frames
    love_frames=$(figure "$work/love.txt" frames)
    printf '%-8s %-9s %8s   %-34s %s of %s\n' "" LOVE "$(share "$l0" "$l1")" \
        "$(figure "$work/love.txt" release_median_ms) / $(figure "$work/love.txt" release_p99_ms) / $(figure "$work/love.txt" release_max_ms)" \
        "$(figure "$work/love.txt" lost_frames)" "${love_frames:-?}"
    grep -e 'CPU of the program' -e 'of the main thread' "$work/aerox.txt" | sed "s/^ */         $label: /"
}

for round in $(seq "$rounds"); do
    printf '%-8s load before the round: %s\n' "" "$(cut -d' ' -f1-3 /proc/loadavg)"
    pair Aerox
    pair --redraw --redraw
done
