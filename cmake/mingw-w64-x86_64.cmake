# Cross-compiles the tool for 64-bit Windows with MinGW-w64 (Debian:
# apt-get install g++-mingw-w64-x86-64). The posix-threads compiler is the
# one whose C++ runtime links statically without extra DLLs; CMakeLists.txt
# adds the static link flags under WIN32.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MORVINTA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MORVINTA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVINTA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVINTA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MORVINTA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
