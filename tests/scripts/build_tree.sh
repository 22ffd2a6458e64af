# build_tree of scripts/lib.sh on a project of its own, which keeps in its cache what it first
# found, as CMake keeps the compilers it found: a tree follows the toolchain file, the options the
# script asks for and the CMake files, and is not configured again for nothing.
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
mkdir "$ROOT/cmake"
printf '%s\n' 'cmake_minimum_required(VERSION 3.20)' 'project(probe NONE)' \
    'set(FOUND "${FROM_TOOLCHAIN}" CACHE STRING "")' 'option(MABATAKIBAN_FUZZ "" OFF)' \
    'file(APPEND ${CMAKE_BINARY_DIR}/seen.txt "${FOUND} ${MABATAKIBAN_FUZZ}|")' >"$ROOT/CMakeLists.txt"
# Builds tree $1 after the change "$2" and expects it configured as "$3" so far ("found fuzz|").
expect() {
    eval "$2"
    build_tree "$1" >/dev/null 2>&1
    [ "$(cat "$ROOT/build/$1/seen.txt")" = "$3" ] || { echo "FAIL after $2: $(cat "$ROOT/build/$1/seen.txt")"; exit 1; }
}
expect wasm "echo 'set(FROM_TOOLCHAIN first)' >'$ROOT/cmake/toolchain-wasm32-wasi.cmake'" "first OFF|"
expect wasm : "first OFF|"
expect wasm "echo 'set(FROM_TOOLCHAIN second)' >'$ROOT/cmake/toolchain-wasm32-wasi.cmake'" "first OFF|second OFF|"
expect wasm "echo '# changed' >>'$ROOT/CMakeLists.txt'" "first OFF|second OFF|second OFF|"
# A tree configured before with other options gets those the script asks for now.
expect fuzz "cmake -S '$ROOT' -B '$ROOT/build/fuzz' -G Ninja >/dev/null" " OFF| ON|"
echo "ok"
