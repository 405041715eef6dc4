#!/usr/bin/env bash
# Installs what is missing, builds with sanitizers and runs every test, then
# builds the readers' fuzz targets with clang and runs each for a few seconds.
cd "$(dirname "$0")"
. scripts/common.sh
install_missing_packages $HALVOREN_TEST_PACKAGES
configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DHALVOREN_SANITIZE=ON -DHALVOREN_TESTS=ON -DHALVOREN_BENCH=ON -DHALVOREN_LAYER_CHECK=ON -DHALVOREN_WERROR=ON
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
(cd build/test && ctest --output-on-failure --parallel "$(nproc)") || status=1

# The fuzz build compiles the core once more, with clang and libFuzzer's
# instrumentation (ccache keeps it incremental), and only the fuzz targets.
configure_and_build build/fuzz -DCMAKE_CXX_COMPILER=clang++-16 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVOREN_FUZZ=ON
if command -v llvm-symbolizer >/dev/null; then export ASAN_SYMBOLIZER_PATH="$(command -v llvm-symbolizer)"; fi
run_fuzz_targets build/fuzz 5 || status=1
exit "$status"
