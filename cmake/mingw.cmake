# Cross-build for Windows with MinGW-w64 on Linux; the toolchain files of the
# two architectures set VORNEL_MINGW_TRIPLET and VORNEL_ARCH_NAME and include
# this one. The -posix drivers give std::mutex and std::thread, which
# GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VORNEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORNEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VORNEL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORNEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the Windows test programs under Wine, in the architecture's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh;${VORNEL_ARCH_NAME}")
