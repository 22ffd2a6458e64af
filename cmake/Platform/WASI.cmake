# The system of cmake/toolchain-wasm32-wasi.cmake, which CMake has no file for: programs are
# WebAssembly modules, libraries static archives.
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_STATIC_LIBRARY_PREFIX lib)
set(CMAKE_STATIC_LIBRARY_SUFFIX .a)
