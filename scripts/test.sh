#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quillon with warnings as errors and
# runs every test (ctest).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure
