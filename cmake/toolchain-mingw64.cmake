# Cross-compiling for 64-bit Windows with Debian's MinGW-w64
# (g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/toolchain-mingw64.cmake \
#         -DZ7_GENERATED_DIR=$PWD/build/resources/generated
# The programs are linked statically, so that they run under Wine or on
# Windows without the compiler's runtime DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(Z7_MINGW_TRIPLET x86_64-w64-mingw32)
# The POSIX thread model: GCC 12's win32 model has no std::mutex, which
# GoogleTest needs.
set(CMAKE_C_COMPILER ${Z7_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${Z7_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${Z7_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${Z7_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest starts the test programs under Wine: see tests/CMakeLists.txt.
