#!/usr/bin/env bash
# Builds Vellomar and runs every test, headless. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-packages.sh
cmake --preset default
cmake --build --preset default
export QT_QPA_PLATFORM=offscreen
ctest --preset default -j "$(nproc)"
