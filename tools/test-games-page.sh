#!/bin/bash
# Opens the CD's game page in headless Chromium at the browser sizes of
# 640 x 480, 800 x 600 and 1024 x 768 screens, checks that nothing is cut or
# runs off the page, and plays the Shootout to its end by clicking it.
# Installs what is missing first. Exits non-zero on a failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/tools/install-movie-test-deps.sh"
cd "$root/tests/movie"
exec node --test games_page.test.mjs
