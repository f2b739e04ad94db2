#!/bin/bash
# Installs what is missing, builds, and runs the whole test suite: the normal build,
# then ASan+UBSan, then the engine under TSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QTWEBENGINE_DISABLE_SANDBOX=1
JOBS=$(nproc)

run_suite() {  # build-dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVELIN_WERROR=ON "$@" >/dev/null
  ninja -C "$dir" -j "$JOBS"
  # -noreset: without it Xvfb resets whenever its last client leaves, and a test process
  # that connects during the reset finds no display.
  (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --output-on-failure -j 2 --timeout 600)
}

run_suite build
ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan -DTARVELIN_SANITIZE=address
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/tsan.supp" \
  run_suite build-tsan -DTARVELIN_SANITIZE=thread -DTARVELIN_GUI=OFF
