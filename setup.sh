#!/usr/bin/env bash
# Sets up a Debian 12 machine for Qor vellaCor, builds it and runs one job.
#   ./setup.sh demo     install what is missing, build, run the built-in demo
#   ./setup.sh test     install what is missing, build and run every test (Release, then ASan+UBSan,
#                       then the fuzz targets)
#   ./setup.sh build    install what is missing and build (Release)
# Options: --quick (test: Release only), --jobs N (default 2)
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
job=${1:-build}
shift || true
quick=0
jobs=2
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=1 ;;
    --jobs) jobs=$2; shift ;;
    *) echo "setup.sh: unknown option '$1'" >&2; exit 2 ;;
  esac
  shift
done

install_packages() {
  local wanted missing=()
  wanted=$(grep -v -E '^\s*(#|$)' "$root/debian-packages.txt")
  for p in $wanted; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

run_tests() { # dir
  (cd "$1" && ctest --output-on-failure -j "$jobs" --timeout 600)
}

install_packages
case "$job" in
  build)
    configure_and_build build/release ;;
  demo)
    configure_and_build build/release
    if [ -x build/release/tools/qor-vellacor ]; then
      build/release/tools/qor-vellacor demo --out "$root/demo-out"
    else
      echo "setup.sh: the qor-vellacor program is not part of this build yet" >&2
      exit 1
    fi ;;
  test)
    configure_and_build build/release
    echo "== Release tests"
    run_tests build/release
    if [ "$quick" -eq 0 ]; then
      configure_and_build build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_SANITIZE=ON -DQOR_BUILD_BENCH=OFF
      echo "== AddressSanitizer + UndefinedBehaviorSanitizer tests"
      ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions="$root/tests/support/lsan.supp" run_tests build/asan
      echo "== libFuzzer targets (clang, AddressSanitizer), 20000 executions each"
      tests/fuzz/run-fuzzers.sh --build build/fuzz --jobs "$jobs" --runs 20000
    fi ;;
  *)
    echo "setup.sh: unknown job '$job' (demo, test or build)" >&2
    exit 2 ;;
esac
