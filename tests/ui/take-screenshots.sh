#!/usr/bin/env bash
# Builds the screenshot program and writes docs/ui-*.png under a virtual 1280 x 800 display.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target ui_screenshots
xvfb-run -a -s '-screen 0 1280x800x24' "$build/tests/ui/ui_screenshots" "$root/docs"
