# WebAssembly for the web page and for the portable tests under node: Debian's clang 14 with
# wasi-libc, libc++ for wasm32 and lld. That libc++ has no exceptions.
set(CMAKE_SYSTEM_NAME WASI)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}) # Platform/WASI.cmake
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
set(CMAKE_CXX_FLAGS_INIT -fno-exceptions)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
