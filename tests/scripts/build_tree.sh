# build_tree of scripts/lib.sh on a project of its own: a tree follows the toolchain file, the
# options the script asks for and the CMake files, and is not configured again for nothing. The
# project keeps in its cache what it first found, as CMake keeps the compilers it found.
set -euo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"
ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
mkdir "$ROOT/cmake"
cat >"$ROOT/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.20)
project(probe NONE)
set(FOUND "${FROM_TOOLCHAIN}" CACHE STRING "as a compiler is found once")
option(MABATAKIBAN_FUZZ "" OFF)
file(APPEND ${CMAKE_BINARY_DIR}/configured.txt "${FOUND} ${MABATAKIBAN_FUZZ}\n")
add_custom_target(probe ALL)
CMAKE
toolchain="$ROOT/cmake/toolchain-wasm32-wasi.cmake"
echo 'set(FROM_TOOLCHAIN first)' >"$toolchain"
fail() { echo "FAIL: $*" >&2; exit 1; }
# The configurations the tree has seen, one a line, as "found fuzz".
seen() { tr '\n' '|' <"$ROOT/build/$1/configured.txt"; }

build_tree wasm >/dev/null
build_tree wasm >/dev/null
[ "$(seen wasm)" = "first OFF|" ] || fail "configured as: $(seen wasm)"
echo 'set(FROM_TOOLCHAIN second)' >"$toolchain"
build_tree wasm >/dev/null
[ "$(seen wasm)" = "first OFF|second OFF|" ] || fail "after a new toolchain: $(seen wasm)"
echo '# changed' >>"$ROOT/CMakeLists.txt"
build_tree wasm >/dev/null
[ "$(seen wasm)" = "first OFF|second OFF|second OFF|" ] || fail "after a new CMakeLists.txt: $(seen wasm)"

# A tree configured before with other options gets those the script asks for now.
cmake -S "$ROOT" -B "$ROOT/build/fuzz" -G Ninja -DMABATAKIBAN_FUZZ=OFF >/dev/null
build_tree fuzz >/dev/null 2>&1
[ "$(seen fuzz)" = " OFF| ON|" ] || fail "fuzz tree configured as: $(seen fuzz)"
echo "ok"
