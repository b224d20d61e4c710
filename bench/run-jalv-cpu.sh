#!/usr/bin/env bash
# What the open editor costs as a user sees it: the plug-in in jalv on JACK's dummy driver with a
# 1 kHz-ish sine from jack_simple_client, jalv.gtk3 (the editor open, under a private Xvfb)
# against console jalv (no editor). Reports each process's utime+stime over the same window,
# and the X server's own share separately.
#   bench/run-jalv-cpu.sh [--bundle-dir DIR] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
bundles=build/release/lv2
if [ "${1:-}" = "--bundle-dir" ]; then bundles=$2; shift 2; fi
seconds=${1:-10}
uri="https://www.qor-werk.com/plugins/vellacor#stereo"
for tool in jalv jalv.gtk3 jackd jack_simple_client jack_connect jack_wait Xvfb; do
    command -v "$tool" >/dev/null || { echo "run-jalv-cpu.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/Documents"
export HOME="$work" QOR_SETTINGS_DIR="$work" LV2_PATH="$(realpath "$bundles")"
export JACK_DEFAULT_SERVER="qorbench$$" JACK_NO_AUDIO_RESERVATION=1

display=""
for n in $(seq 150 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
Xvfb ":$display" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
xserver=$!
pids+=("$xserver")
export DISPLAY=":$display"
jackd -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
pids+=($!)
jack_wait -w -t 10 >/dev/null 2>&1
jack_simple_client >/dev/null 2>&1 &
pids+=($!)

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# One run: starts the program, lets it settle, reports "<its %> <X server %>".
measure() {
    local name=$1 program=$2 nameOption=$3
    # Console jalv reads commands from its input: an endless empty one keeps it running.
    tail -f /dev/null | "$program" -x "$nameOption" "$name" "$uri" >"$work/$name.log" 2>&1 &
    local pipeline=$!
    local pid=""
    for _ in $(seq 100); do
        pid=$(pgrep -n -f -- "$program -x $nameOption $name" || true)
        [ -n "$pid" ] && jack_lsp 2>/dev/null | grep -q "^$name:in_l" && break
        sleep 0.1
    done
    jack_connect jack_simple_client:output1 "$name:in_l"
    jack_connect jack_simple_client:output2 "$name:in_r"
    sleep 3
    if [ "$program" = jalv.gtk3 ] && command -v xdotool >/dev/null; then
        xdotool search --name "Qor vellaCor" >/dev/null || echo "run-jalv-cpu.sh: jalv.gtk3 shows no editor window" >&2
    fi
    local a0 x0 a1 x1
    a0=$(cpu "$pid"); x0=$(cpu "$xserver")
    sleep "$seconds"
    a1=$(cpu "$pid"); x1=$(cpu "$xserver")
    kill "$pid" 2>/dev/null || true
    wait "$pipeline" 2>/dev/null || true
    awk -v a=$((a1 - a0)) -v x=$((x1 - x0)) -v t="$ticks" -v s="$seconds" \
        'BEGIN { printf "%.2f %.2f\n", 100 * a / t / s, 100 * x / t / s }'
}

read -r editor editorX < <(measure qorgtk jalv.gtk3 --jack-name)
read -r console consoleX < <(measure qorcon jalv -n)
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "jalv.gtk3 with the editor: ${editor} %  (X server ${editorX} %)"
echo "console jalv:              ${console} %  (X server ${consoleX} %)"
awk -v e="$editor" -v c="$console" 'BEGIN { printf "the editor costs:          %.2f %% of a core\n", e - c }'
