#!/usr/bin/env bash
# Installs what is missing, builds incrementally and starts Halvoren.
# Usage: ./run.sh [project.hlv]
cd "$(dirname "$0")"
. scripts/common.sh
install_missing_packages
configure_and_build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVOREN_TESTS=OFF
exec build/release/halvoren "$@"
