#!/usr/bin/env bash
# A short fuzz run of the data file targets: makes a clang build of just those
# targets in the given folder, then runs each from the seed files.
set -euo pipefail
source_dir=$1
build_dir=$2
clangxx=$3

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S "$source_dir" -B "$build_dir" -DCMAKE_CXX_COMPILER="$clangxx" \
    -DCMAKE_BUILD_TYPE=Debug -DTAMARO_SANITIZE=ON -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build_dir" --target fuzz_data_file fuzz_data_load -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each input of fuzz_data_file opens the name dialog and draws the table, so it gets fewer.
for run in "fuzz_data_file ${FUZZ_DIALOG_RUNS:-600}" "fuzz_data_load ${FUZZ_RUNS:-20000}"; do
  set -- $run
  mkdir -p "$work/$1"
  cp "$source_dir"/fuzz/corpus/* "$work/$1"/
  if ! "$build_dir/fuzz/$1" -runs="$2" -max_len=2048 -seed=1 -print_final_stats=1 "$work/$1" >"$work/$1.log" 2>&1; then
    cat "$work/$1.log"
    exit 1
  fi
  grep -E '^(Done|stat::average_exec_per_sec)' "$work/$1.log"
done
