#!/usr/bin/env bash
# Sets up, builds and runs orbit2d-a in its window (PROGRAM=orbit3d-b etc. for
# another). A key pressed in this terminal ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
TARGET="${PROGRAM:-orbit2d-a}" scripts/build.sh build >/dev/null
echo "${PROGRAM:-orbit2d-a}: press a key in this terminal to end it"
exec "build/${PROGRAM:-orbit2d-a}"
