#!/usr/bin/env bash
# Sets up, builds and runs every test: the plain build, then the whole suite
# under AddressSanitizer and UBSan, then the window tests under
# ThreadSanitizer. Window tests run on an X server: the one in $DISPLAY, or a
# private Xvfb started here.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

xvfb_pid=""
cleanup() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
fi
export ORBITS_REQUIRE_DISPLAY=1

echo "== build and test"
scripts/build.sh build -DORBITS_TESTS=ON -DORBITS_BENCHMARKS=ON
ctest --test-dir build --output-on-failure -j2

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DORBITS_SANITIZE=address,undefined -DORBITS_TESTS=ON -DORBITS_BENCHMARKS=OFF
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2

echo "== ThreadSanitizer: drawing against the window thread"
TARGET=graph_window_test scripts/build.sh build-tsan -DORBITS_SANITIZE=thread -DORBITS_TESTS=ON -DORBITS_BENCHMARKS=OFF
TARGET=graph_probe scripts/build.sh build-tsan
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -R 'GraphWindow\.'
