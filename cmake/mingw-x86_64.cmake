# Cross-build for 64-bit Windows (x64).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VORNEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(VORNEL_ARCH_NAME x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
