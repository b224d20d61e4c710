#!/usr/bin/env bash
# Side-by-side CPU cost of our LV2 plug-ins and peer compressors from Debian's packages: the same
# signals at 48 kHz in 512-frame blocks, pinned to one core; prints one table.
#   bench/run-peer-bench.sh [--seconds S] [--passes P] [--cpu N] [--build DIR]
# Installs the peers' packages when missing (they are not part of the build's packages).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=10
passes=15
cpu=1
build="$root/build/bench"
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift ;;
    --passes) passes=$2; shift ;;
    --cpu) cpu=$2; shift ;;
    --build) build=$2; shift ;;
    *) echo "run-peer-bench.sh: unknown option '$1'" >&2; exit 2 ;;
  esac
  shift
done

peers="lsp-plugins-lv2 calf-plugins x42-plugins zam-plugins"
missing=()
for p in $peers; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "== installing the peers: ${missing[*]}" >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target qor_lv2_bench qor_lv2_bundle >/dev/null
host="$build/bench/qor_lv2_bench"
bundle="$build/lv2/qor-vellacor.lv2"
ours=$(grep -o '"https://[^"]*vellacor#' "$root/vellaCor/vellaCorIdentity.h" | head -1 | tr -d '"')

# label | channels | URI | meter port:kind | settings (about 8-10 dB of reduction on the signals)
plugins=(
  "vellaCor stereo|2|${ours}stereo|gain_reduction:fraction|"
  "vellaCor stereo x0.25|2|${ours}stereo|gain_reduction:fraction|attack_ratio=0"
  "vellaCor mono|1|${ours}mono|gain_reduction:fraction|"
  "vellaCor mono x0.25|1|${ours}mono|gain_reduction:fraction|attack_ratio=0"
  "LSP Compressor stereo|2|http://lsp-plug.in/plugins/lv2/compressor_stereo|rlm:gain|al=0.063"
  "LSP Compressor mono|1|http://lsp-plug.in/plugins/lv2/compressor_mono|rlm:gain|al=0.063"
  "Calf Compressor|2|http://calf.sourceforge.net/plugins/Compressor|compression:gain|threshold=0.1 ratio=4"
  "Calf Mono Compressor|1|http://calf.sourceforge.net/plugins/MonoCompressor|compression:gain|threshold=0.1 ratio=4"
  "x42 darc stereo|2|http://gareus.org/oss/lv2/darc#stereo|gain_min:gain-db|inputgain=6 threshold=-30 Ratio=1"
  "x42 darc mono|1|http://gareus.org/oss/lv2/darc#mono|gain_min:gain-db|inputgain=6 threshold=-30 Ratio=1"
  "ZamCompX2|2|urn:zamaudio:ZamCompX2|gr:db|thr=-25 rat=4"
  "ZamComp|1|urn:zamaudio:ZamComp|gr:db|thr=-25 rat=4"
)

echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), pinned to core $cpu"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "command: bench/run-peer-bench.sh --seconds $seconds --passes $passes --cpu $cpu"
echo "(ns per frame: median of $passes timed passes of $seconds s, each after an untimed pass; min in brackets;"
echo " the passes go round all rows in turn, so that every row meets the machine's quiet and busy spells alike;"
echo " ratio: the plug-in's median over ours at the defaults with as many channels on the same signal)"
echo
signals="sine drums pink"
declare -A times reductions
status=0
for ((round = 1; round <= passes; ++round)); do
  for signal in $signals; do
    for index in "${!plugins[@]}"; do
      IFS='|' read -r label channels uri meter settings <<<"${plugins[$index]}"
      args=(--uri "$uri" --bundle "$bundle" --signal "$signal" --channels "$channels" --meter "$meter"
            --seconds "$seconds" --passes 1)
      for s in $settings; do args+=(--set "$s"); done
      if ! line=$(taskset -c "$cpu" "$host" "${args[@]}" 2>/tmp/qor-peer-bench.err); then
        [ "$round" -gt 1 ] || echo "run-peer-bench.sh: $label on $signal: $(cat /tmp/qor-peer-bench.err)" >&2
        status=1
        continue
      fi
      times["$signal/$index"]+="$(sed -n 's/.*ns_median=\([0-9.]*\).*/\1/p' <<<"$line") "
      reductions["$signal/$index"]=$(sed -n 's/.*reduction_db=\([-0-9.]*\).*/\1/p' <<<"$line")
    done
  done
done

# median and min of a list of numbers
summary() { tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{ v[NR] = $1 } END {
  if (NR == 0) { print "nan nan"; exit }
  m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.2f %.2f\n", m, v[1] }'; }

printf '| %-22s | %-6s | %-18s | %-8s | %-9s |\n' "plug-in" "signal" "ns per frame" "GR dB" "vs ours"
printf '|%s|%s|%s|%s|%s|\n' "------------------------" "--------" "--------------------" "----------" "-----------"
declare -A baseline
for signal in $signals; do
  for index in "${!plugins[@]}"; do
    IFS='|' read -r label channels uri meter settings <<<"${plugins[$index]}"
    read -r median min <<<"$(summary "${times[$signal/$index]:-}")"
    gr=${reductions[$signal/$index]:-nan}
    [ "$label" = "vellaCor stereo" ] && baseline["$signal/2"]=$median
    [ "$label" = "vellaCor mono" ] && baseline["$signal/1"]=$median
    ratio=$(awk -v a="$median" -v b="${baseline[$signal/$channels]:-nan}" 'BEGIN { if (b + 0 > 0 && a + 0 > 0) printf "%.2f", a / b; else print "-" }')
    printf '| %-22s | %-6s | %8s (%7s) | %8s | %9s |\n' "$label" "$signal" "$median" "$min" "$gr" "$ratio"
  done
done
echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
