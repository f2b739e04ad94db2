#!/bin/bash
# Installs what is missing, builds and starts Tarvelin. With --demo it starts the
# offline demo against the built-in stand-in service instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
if [ "${1:-}" = "--demo" ]; then
  exec build/src/demo/tarvelin-demo
fi
exec build/src/app/tarvelin
