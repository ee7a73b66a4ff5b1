#!/bin/bash
# Makes the movie, plays it in Ruffle in headless Chromium and checks the
# board it draws. Installs what is missing first. Exits non-zero on a failure.
#   --screenshot   also copies the game-day picture to
#                  resources/screenshots/movie-ruffle.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/tools/install-movie-test-deps.sh"
if [ "${1:-}" = --screenshot ]; then
    export MOVIE_SCREENSHOT=$root/resources/screenshots/movie-ruffle.png
fi
cd "$root/tests/movie"
exec node --test movie.test.mjs
