#!/usr/bin/env bash
# Configures and builds one tree: scripts/build.sh DIR [cmake options...]
# TARGET=name builds only that target.
set -euo pipefail
dir=$1
shift
cmake -S "$(dirname "$0")/.." -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)" ${TARGET:+--target "$TARGET"}
