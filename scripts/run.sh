#!/usr/bin/env bash
# Starts the utility on its built-in simulated unit; until the utility is built,
# says what there is to run.
set -euo pipefail
build=${1:-build}
if [ -x "$build/bin/linkset" ]; then
  exec "$build/bin/linkset" --demo
fi
echo "The utility is not built yet. Programs in $build/bin:"
find "$build/bin" -maxdepth 1 -type f -perm -u+x -printf '  %f\n' 2>/dev/null | sort
