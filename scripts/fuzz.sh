#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang into build-fuzz/ and runs each in turn for
# SECONDS (default 20) from its committed corpus fuzz/corpus/NAME. New inputs go to
# build-fuzz/corpus/NAME, findings (crash-*, leak-*, timeout-*, oom-*) and each run's log to
# build-fuzz/findings/. Exits with 1 when any target finds a crash, a leak, a hang, undefined
# behaviour or a broken invariant.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
source scripts/packages.sh

need_packages cmake ninja-build g++ clang libclang-rt-14-dev llvm qt6-base-dev libgl-dev

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMPSEC_FUZZ=ON -DMPSEC_BUILD_TESTS=OFF -DMPSEC_BUILD_BENCH=OFF -DMPSEC_WERROR=ON >/dev/null
cmake --build build-fuzz --target mpsec_fuzzers --parallel "$(nproc)"

# What went wrong, where in the program, and the input that shows it.
excerpt() {
  grep -a -E -A1 'invariant broken|ERROR: [A-Z]|runtime error' "$1" | grep -a -v '^ *#' | head -n 4
  grep -a -m 2 -E '^ *#[0-9]+ .* in mpsec::' "$1"
  grep -a -m 1 'Test unit written' "$1"
}

export UBSAN_OPTIONS=print_stacktrace=1
passed=0 failed=0
for corpus in fuzz/corpus/*/; do
  name=$(basename "$corpus")
  scratch=build-fuzz/corpus/$name
  findings=build-fuzz/findings/$name
  log=build-fuzz/findings/$name.log
  rm -rf "$findings"
  mkdir -p "$scratch" "$findings"
  # The scratch folder comes first: libFuzzer writes new inputs to the first folder only.
  if build-fuzz/fuzz/${name}_fuzz -max_total_time="$seconds" -max_len=8192 -timeout=20 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$scratch" "$corpus" >"$log" 2>&1; then
    passed=$((passed + 1))
    echo "fuzz $name: $(grep -a 'DONE' "$log" | tail -n 1)"
  else
    failed=$((failed + 1))
    echo "fuzz $name: FOUND A FAULT (log: $log)"
    excerpt "$log" | sed 's/^ */    /' || true
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
