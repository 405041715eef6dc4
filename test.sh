#!/usr/bin/env bash
# Installs what is missing, builds with sanitizers and runs every test.
cd "$(dirname "$0")"
. scripts/common.sh
install_missing_packages
configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DHALVOREN_SANITIZE=ON -DHALVOREN_TESTS=ON -DHALVOREN_BENCH=ON -DHALVOREN_LAYER_CHECK=ON
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build/test
ctest --output-on-failure --parallel "$(nproc)"
