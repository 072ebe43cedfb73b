#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quillon and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quillon
exec build/app/quillon "$@"
