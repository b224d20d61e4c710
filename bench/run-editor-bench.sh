#!/usr/bin/env bash
# The editor benchmark under a private Xvfb (offscreen rows and real-window rows).
#   bench/run-editor-bench.sh [--build DIR] [benchmark options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
if [ "${1:-}" = "--build" ]; then build=$2; shift 2; fi
bench="$build/bench/qor_editor_bench"
[ -x "$bench" ] || { echo "run-editor-bench.sh: build $bench first (./setup.sh build)" >&2; exit 1; }
# The user's settings stay untouched: zoom and hints come from a private folder.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
QOR_SETTINGS_DIR="$settings" exec xvfb-run -a -s "-screen 0 1920x1200x24" "$bench" "$@"
