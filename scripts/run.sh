#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quillon and starts its window with
# the example gallery open (or with the file given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quillon

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display: Quillon's window needs a desktop session (X11 or Wayland)." >&2
  echo "Without one, the batch mode still works:" >&2
  echo "  build/app/quillon examples/gallery.pgp --export-filename=gallery.png" >&2
  exit 1
fi

if (($# > 0)); then
  exec build/app/quillon "$@"
elif [[ -f examples/gallery.pgp ]]; then
  exec build/app/quillon examples/gallery.pgp
else
  exec build/app/quillon
fi
