# Sourced by the demo scripts: installs what is missing, builds, makes the
# Wine prefix and sets root, build, wine_env and bin (the build Wine runs).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build"

wine_env=$root/tools/wine-env.sh
"$wine_env" prefix "$build"
arch=$(cat "$build/wine/arch")
[ "$arch" = win32 ] && bin=$build/i686/bin || bin=$build/x86_64/bin
