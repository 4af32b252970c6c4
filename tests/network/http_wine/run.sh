#!/usr/bin/env bash
# Cross-builds probe.cpp with mingw-w64 against the engine's web request
# (WinHTTP) and runtime sources and runs it under Wine against the test
# server on loopback. Exits non-zero when an answer is not the expected one.
#   tests/network/http_wine/run.sh [work folder]
# WINEPREFIX as scripts/test-windows sets it (default: the shared cache's).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
work=${1:-$(mktemp -d)}
mkdir -p "$work"
sources=()
for source in "$root"/src/runtime/*.cpp "$root"/src/network/http_*.cpp; do
    case $source in *_posix.cpp | *_web.cpp) continue ;; esac
    sources+=("$source")
done
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -I"$root/include" -I"$root/src" "$here/probe.cpp" \
    "${sources[@]}" -static -lwinhttp -lwinmm -o "$work/probe.exe"

export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/aerox/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
coproc server { exec python3 "$root/tests/network/http_test_server.py"; }
trap 'kill "$server_PID" 2>/dev/null || true' EXIT
read -r -t 10 line <&"${server[0]}"
port=${line#port }
timeout 120 wine "$work/probe.exe" "http://127.0.0.1:$port" | tr -d '\r' >"$work/out.txt"
cat "$work/out.txt"

status=0
while IFS= read -r pattern; do
    grep -Eq "^$pattern" "$work/out.txt" || { echo "missing: $pattern"; status=1; }
done <<'PATTERNS'
get /hello: status 200, 5 bytes, \[hello\]
get /missing: status 404, 8 bytes, \[not here\]
get /redirect/5: status 200, 7 bytes, \[arrived\]
get /redirect/6: status -1, 0 bytes
get /loop: status -1, 0 bytes
get /size/4194304: status 200, 4194304 bytes
get /size/4194305: status -1, 0 bytes
get /stream/4194305: status -1, 0 bytes
get /bytes: status 200, 256 bytes
get /to\?ftp://x/: status -1, 0 bytes
requests started in [0-9]{1,2} ms
slot /stall: status -1, 0 bytes
slot /hello: status 200, 5 bytes, \[hello\]
slot /redirect/1: status 200, 7 bytes, \[arrived\]
settled after 1[5-8] s
PATTERNS
echo "web requests under Wine: $([ $status -eq 0 ] && echo passed || echo FAILED)"
exit $status
