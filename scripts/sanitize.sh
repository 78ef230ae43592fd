#!/usr/bin/env bash
# Builds the program and every test with the address and undefined-behaviour sanitizers
# (GCC, -O1) into build-asan/ and runs the whole test suite under them, leak checks
# included. Any report fails its test and so the run. Reports that come from Qt itself,
# not from mpsec, are suppressed in scripts/qt-leaks.supp, each with the reason.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

need_packages cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
  fonts-dejavu-core fonts-liberation poppler-utils

# -O1 keeps the instrumented build and its Qt tests quick enough for every CI run.
cmake -S . -B build-asan -G Ninja -DMPSEC_SANITIZE=ON -DMPSEC_BUILD_BENCH=OFF -DMPSEC_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
cmake --build build-asan --parallel "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/qt-leaks.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
