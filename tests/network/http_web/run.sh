#!/usr/bin/env bash
# Builds probe.cpp with emscripten against the engine's web request and
# runtime sources (the browser's twins in place of the POSIX seams) and
# plays it in headless Chromium with check.js. Exits non-zero on failure.
#   tests/network/http_web/run.sh [work folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
work=${1:-$(mktemp -d)}
mkdir -p "$work"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
runtime=()
for source in "$root"/src/runtime/*.cpp; do
    case $source in *_windows.cpp | *_desktop.cpp) continue ;; esac
    case $source in *_posix.cpp) [ -f "${source%_posix.cpp}_web.cpp" ] && continue ;; esac
    runtime+=("$source")
done
em++ -std=c++20 -O2 -Wall -Wextra -I"$root/include" -I"$root/src" "$here/probe.cpp" \
    "$root/src/network/http_client_web.cpp" "$root/src/network/http_url.cpp" "$root/src/network/http_commands.cpp" \
    "${runtime[@]}" -sFETCH -sFETCH_SUPPORT_INDEXEDDB=0 -sASYNCIFY -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sMINIFY_HTML=0 \
    -o "$work/index.html"
NODE_PATH="$root/tests/web/node_modules" timeout 180 node "$here/check.js" "$work"
