#!/bin/bash
# Installs what the movie's test needs on a Debian machine (run as root):
# Debian's Chromium and the test's npm packages (Ruffle, playwright-core).
# Quick when everything is already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tests=$root/tests/movie

missing=()
need() { command -v "$1" >/dev/null || missing+=("$2"); }
need chromium chromium
need node nodejs
need npm npm
need python3 python3

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "Missing packages: ${missing[*]}; run this as root to install them." >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# npm ci only when the installed packages are not the locked ones.
if ! cmp -s "$tests/package-lock.json" "$tests/node_modules/.package-lock.json.installed" 2>/dev/null; then
    (cd "$tests" && npm ci --no-audit --no-fund)
    cp "$tests/package-lock.json" "$tests/node_modules/.package-lock.json.installed"
fi
