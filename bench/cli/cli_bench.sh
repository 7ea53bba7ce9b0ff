#!/usr/bin/env bash
# The command line's wall times against linkset-unitsim on loopback telnet:
#   one    `linkset retrieve` of one unit, start to exit (median of five runs)
#   fleet  UNITS units (default 50), each its own linkset-unitsim process, retrieved by
#          PARALLEL (default 10) linkset processes at a time
# Usage: cli_bench.sh BUILD_DIR [one|fleet|both] [UNITS] [PARALLEL]
# Prints one line per measurement with seconds=...; the machine's load average goes first.
set -euo pipefail
build=$1
what=${2:-both}
units=${3:-50}
parallel=${4:-10}
linkset=$build/bin/linkset
unitsim=$build/bin/linkset-unitsim

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export LINKSET_PASSWORD=radio
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

now() { date +%s.%N; }
since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.3f", end - start }'; }

# Starts a unit; its port goes to $work/port.N once it is ready.
start_unit() {
  local n=$1
  "$unitsim" --telnet 127.0.0.1:0 > "$work/unit.$n.out" &
  pids+=($!)
}
port_of() {
  local n=$1 port=
  for _ in $(seq 200); do
    port=$(sed -n 's/^telnet 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/unit.$n.out")
    [ -n "$port" ] && { echo "$port"; return; }
    sleep 0.05
  done
  echo "linkset-unitsim $n reported no port" >&2
  exit 1
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"

if [ "$what" = one ] || [ "$what" = both ]; then
  start_unit one
  port=$(port_of one)
  times=()
  for run in 1 2 3 4 5; do
    start=$(now)
    "$linkset" retrieve --telnet "127.0.0.1:$port" --user admin --output "$work/one.$run.qdv"
    times+=("$(since "$start")")
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
  echo "linkset retrieve, one unit: seconds=$median (runs: ${times[*]})"
fi

if [ "$what" = fleet ] || [ "$what" = both ]; then
  for n in $(seq "$units"); do start_unit "$n"; done
  for n in $(seq "$units"); do port_of "$n"; done > "$work/ports"
  start=$(now)
  # The README's shell example, with xargs standing in for GNU parallel; time(1) adds up
  # the CPU time of every linkset process.
  /usr/bin/time -f "%U %S" -o "$work/cpu" \
    xargs -P "$parallel" -I PORT "$linkset" retrieve --telnet 127.0.0.1:PORT --user admin \
    --output "$work/fleet.PORT.qdv" < "$work/ports"
  elapsed=$(since "$start")
  saved=$(ls "$work"/fleet.*.qdv | wc -l)
  cpu=$(awk '{ printf "%.2f", $1 + $2 }' "$work/cpu")
  echo "linkset retrieve, $units units by $parallel processes: seconds=$elapsed cpu_seconds=$cpu (files saved: $saved)"
fi
