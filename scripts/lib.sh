# Shared set-up for scripts/play, scripts/test and scripts/bench: Debian packages, the Japanese
# locale, the Wine prefix with its font mapping, and an X server when there is none.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and playing need.
PACKAGES=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 fonts-wine locales fonts-ipafont-gothic fonts-ipafont-mincho)
# What testing and measuring need on top: an X server and its tools, the fuzzer, the formatter,
# chattr (a folder that takes no new file).
TEST_PACKAGES=(xvfb xauth x11-utils xdotool imagemagick
               clang-14 libclang-rt-14-dev clang-format python3 git e2fsprogs)
# What the web version needs: the build tools, clang for WebAssembly with its C and C++ libraries
# and linker, esbuild to make the page's scripts and style sheet smaller, and python3 to put the
# page together and serve it. Its tests need node and Chromium on top.
WEB_PACKAGES=(cmake ninja-build googletest clang-14 lld-14 wasi-libc libc++-14-dev-wasm32
              libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 esbuild python3)
WEB_TEST_PACKAGES=(nodejs chromium)
# Debian's node comes without npm; some node packages bring their own.
command -v npm >/dev/null 2>&1 || WEB_TEST_PACKAGES+=(npm)

say() { printf '%s\n' "$*" >&2; }

# Installs what is missing of PACKAGES and the packages named, or tells a non-root user the one
# command that would.
ensure_packages() {
    install_missing "${PACKAGES[@]}" "$@"
}

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        say "Missing packages. Install them with:"
        say "  sudo apt-get install -y --no-install-recommends ${missing[*]}"
        exit 1
    fi
    say "Installing packages: ${missing[*]} ..."
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 makes it 932 (Shift-JIS).
ensure_japanese_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' && return 0
    if [ "$(id -u)" -ne 0 ]; then
        say "The ja_JP.UTF-8 locale is missing. Generate it with:"
        say "  sudo sh -c \"sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen && locale-gen\""
        exit 1
    fi
    if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen >/dev/null
}

# Configures and builds one tree: host, win64, wasm (the web page in build/web, and the portable
# tests for node) or fuzz (libFuzzer targets, clang). A tree follows its sources: the build runs
# CMake again by itself when the project's CMake files change; here the tree is configured again
# when the options this asks for change, and anew, its cache cleared, when its toolchain file
# changes, since the cache keeps the compilers and flags found with the old one. Options set by
# hand in the tree (the build settings of the README) stay.
build_tree() {
    local kind=$1 target=${2:-all} dir="$ROOT/build/$1" toolchain="" args=()
    case $kind in
    win64) toolchain="$ROOT/cmake/toolchain-mingw-x86_64.cmake" ;;
    wasm) toolchain="$ROOT/cmake/toolchain-wasm32-wasi.cmake" ;;
    fuzz) args=(-DCMAKE_CXX_COMPILER=clang++-14 -DMABATAKIBAN_FUZZ=ON -DMABATAKIBAN_TESTS=OFF) ;;
    esac
    [ -n "$toolchain" ] && args=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
    args=(-G Ninja -DCMAKE_BUILD_TYPE=Release "${args[@]}")
    local asked="$dir/.mabatakiban-options"
    if [ -n "$toolchain" ] && [ "$toolchain" -nt "$dir/CMakeCache.txt" ]; then
        rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
    fi
    if [ ! -f "$dir/CMakeCache.txt" ] || [ ! -f "$dir/build.ninja" ] ||
        [ "$(cat "$asked" 2>/dev/null)" != "${args[*]}" ]; then
        cmake -S "$ROOT" -B "$dir" "${args[@]}" >/dev/null || return 1
        printf '%s\n' "${args[*]}" >"$asked"
    fi
    cmake --build "$dir" --target "$target"
}

# A Wine prefix of our own, with the Japanese locale and the dialog and board fonts mapped to
# the IPA fonts so that their metrics come close to what Windows shows. With "unmanaged" Wine
# draws the window frames itself instead of waiting for a window manager: on a bare X server
# every window it hides would otherwise cost a two-second wait for one.
use_wine_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEARCH=win64
    local managed=Y
    [ "${2:-}" = unmanaged ] && managed=N
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    # No network here and no need for .NET or HTML: don't offer to install Mono or Gecko.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/.mabatakiban-ready" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        prepare_wine_prefix
    fi
    if [ "$(cat "$WINEPREFIX/.mabatakiban-managed" 2>/dev/null)" != "$managed" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1
        echo "$managed" >"$WINEPREFIX/.mabatakiban-managed"
    fi
}


prepare_wine_prefix() {
    local key='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$key" /v "ＭＳ 明朝" /t REG_SZ /d "IPAMincho" /f >/dev/null 2>&1
    wine reg add "$key" /v "ＭＳ Ｐゴシック" /t REG_SZ /d "IPAPGothic" /f >/dev/null 2>&1
    wine reg add "$key" /v "ＭＳ ゴシック" /t REG_SZ /d "IPAGothic" /f >/dev/null 2>&1
    touch "$WINEPREFIX/.mabatakiban-ready"
}

# A copy of the prefix $1 at a display scale of $2 dots per inch, in "$1-$2", made once: the tests
# and figures of that scale run in it. Wine takes the scale from the prefix's registry when its
# server starts, so the copy gets a server of its own.
use_scaled_wine_prefix() {
    local base=$1 dpi=$2 copy="$1-$2"
    if [ "$(cat "$copy/.mabatakiban-dpi" 2>/dev/null)" != "$dpi" ]; then
        stop_wine_server "$base"
        rm -rf "$copy"
        cp -a "$base" "$copy"
        WINEPREFIX=$copy wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$dpi" /f >/dev/null 2>&1
        stop_wine_server "$copy"
        echo "$dpi" >"$copy/.mabatakiban-dpi"
    fi
}

# On Linux the game's browser is the desktop's: the prefix gets, at the path where the game starts
# Internet Explorer, the small program that hands the address on to winebrowser (xdg-open).
install_desktop_browser() {
    local target="$WINEPREFIX/drive_c/Program Files/Internet Explorer/iexplore.exe"
    cmp -s "$1" "$target" && return 0
    mkdir -p "$(dirname "$target")"
    cp "$1" "$target"
}

# A server left running by an earlier run (persistent, or of a run that was killed) may still
# serve an X display that is gone: tests and benchmarks start with a server of their own.
stop_wine_server() {
    WINEPREFIX=$1 wineserver -k 2>/dev/null || true
    WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}

# Starts Xvfb when there is no display; it goes away when the calling script exits. The screen is
# one that a 200 % display has, so that the window made for it fits.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill "$XVFB_PID" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
    export DISPLAY=":$n"
    local tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && { say "Xvfb did not start"; exit 1; }
        sleep 0.1
    done
}

# The web tests' node packages, as the committed lockfile names them.
ensure_node_modules() {
    local dir="$ROOT/tests/web"
    [ "$dir/node_modules/.package-lock.json" -nt "$dir/package-lock.json" ] && return 0
    say "Installing the web tests' node packages ..."
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
}
