#!/usr/bin/env bash
# Runs every benchmark once, each under its own X server, with the machine's
# load before each one (the figures of docs/performance.md come from this):
#   bench/run_all.sh [build-dir, default ./build]
# Build first with scripts/build.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
xvfb=(xvfb-run -a -s "-screen 0 640x480x24")

run() {
    echo "== $* | $(uptime)"
    # ALSA explains on standard error that this machine has no sound card.
    timeout 600 "${xvfb[@]}" "$@" 2>&1 | grep -v -e '^ALSA lib' -e '^Init OK'
}

run "$build/bench/aerox_bench_gameplay" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
run "$build/bench/aerox_bench_startup" 10
run "$build/bench/aerox_bench_startup" --menu 10
run "$build/bench/aerox_bench_pacing" 3
run "$build/bench/aerox_bench_game_memory" 2
run "$build/bench/aerox_bench_gfx"
