#!/usr/bin/env bash
# Generates the benchmark inputs into the build folder (once) and runs every
# benchmark program that has been built, one after the other.
set -euo pipefail
build=${1:-build}
inputs="$build/bench-inputs"
if [ ! -f "$inputs/telnet_stream.bin" ]; then
  mkdir -p "$inputs"
  "$build/bin/gen_inputs" "$inputs"
  (cd "$inputs" && sha256sum --quiet -c "$OLDPWD/bench/inputs.sha256")
fi

bench() {
  local program=$1
  shift
  if [ -x "$build/bin/$program" ]; then
    echo "== $program $*"
    "$build/bin/$program" "$@"
  fi
}

# One line per benchmark run; the peers run right after the program they are compared with.
bench glyphterm-bench "$inputs/term_plain.bin"
bench libvterm-bench "$inputs/term_plain.bin"
bench glyphterm-bench "$inputs/term_mixed.bin"
bench libvterm-bench "$inputs/term_mixed.bin"
bench wiretalk-bench "$inputs/telnet_stream.bin"
bench libtelnet-bench "$inputs/telnet_stream.bin"
bench linkset-retrieval-bench
bench linkset-retrieval-bench --serial
bench linkset-monitor-bench
bench linkset-monitor-cpu-bench --rssi
bench linkset-monitor-cpu-bench --per
# The command line against linkset-unitsim processes: one retrieve, and 50 units by 10 processes.
if [ -x "$build/bin/linkset" ] && [ -x "$build/bin/linkset-unitsim" ]; then
  echo "== bench/cli/cli_bench.sh"
  bench/cli/cli_bench.sh "$build"
fi
