#!/usr/bin/env bash
# The editor benchmark under a private Xvfb (offscreen rows and real-window rows). The window
# rows also report the X server's own CPU share (QOR_BENCH_XSERVER_PID).
#   bench/run-editor-bench.sh [--build DIR] [benchmark options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
if [ "${1:-}" = "--build" ]; then build=$2; shift 2; fi
bench="$build/bench/qor_editor_bench"
[ -x "$bench" ] || { echo "run-editor-bench.sh: build $bench first (./setup.sh build)" >&2; exit 1; }
# The user's settings and presets stay untouched: zoom, hints and the user preset folder come
# from a private folder.
settings=$(mktemp -d)
mkdir -p "$settings/Documents"
display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "run-editor-bench.sh: no free display number" >&2; exit 1; }
Xvfb ":$display" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
xserver=$!
trap 'kill "$xserver" 2>/dev/null; rm -rf "$settings"' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
HOME="$settings" DISPLAY=":$display" QOR_SETTINGS_DIR="$settings" QOR_BENCH_XSERVER_PID="$xserver" ${QOR_BENCH_WRAPPER:-} "$bench" "$@"
