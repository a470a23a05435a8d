#!/usr/bin/env bash
# Takes docs/screenshot.png: the window after a forecast on a worked example,
# with a local advertisement page in the panel. Run ./scripts/setup.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target screenshot
QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software QTWEBENGINE_DISABLE_SANDBOX=1 \
    ./build/tests/screenshot docs/screenshot.png
echo "wrote docs/screenshot.png"
