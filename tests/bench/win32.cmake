# Windows-side benchmarks, run by scripts/bench.sh under Wine and never by
# CTest: they print figures, they do not pass or fail. They build with
# everything else so they cannot quietly rot.

# The yardstick for start-up time and memory: a bare 25 by 25 popup window.
add_executable(minimal_window WIN32 ${CMAKE_SOURCE_DIR}/tests/bench/minimal_window.cpp)
target_compile_options(minimal_window PRIVATE -Os)
target_link_options(minimal_window PRIVATE -static -s)

# Starts a program repeatedly and times it until its window shows; reads its
# working set and its CPU time while idle.
add_executable(startup_probe ${CMAKE_SOURCE_DIR}/tests/bench/startup_probe.cpp)
target_include_directories(startup_probe PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(startup_probe PRIVATE -O2 -Wall -Wextra)
target_link_libraries(startup_probe PRIVATE wine_support psapi)
target_link_options(startup_probe PRIVATE -static -mconsole)

# In-process benchmarks: they link the program's code and resources and run
# its real start-up, as the Win32 tests do.
function(vornel_inprocess_bench name)
    add_executable(${name} ${ARGN} ${CMAKE_SOURCE_DIR}/res/vornel.rc)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${name} PRIVATE -O2 -Wall -Wextra -Wno-cast-function-type
        -Wno-missing-field-initializers)
    target_link_libraries(${name} PRIVATE vornel_core seam_recorder wine_support psapi)
    target_link_options(${name} PRIVATE -static -mconsole)
endfunction()

vornel_inprocess_bench(paint_bench ${CMAKE_SOURCE_DIR}/tests/bench/paint_bench.cpp
    ${CMAKE_SOURCE_DIR}/tests/win32/face_reference.cpp)

vornel_inprocess_bench(menu_bench ${CMAKE_SOURCE_DIR}/tests/bench/menu_bench.cpp)

vornel_inprocess_bench(spy_bench ${CMAKE_SOURCE_DIR}/tests/bench/spy_bench.cpp)

set(VORNEL_WIN32_BENCHMARKS minimal_window startup_probe paint_bench menu_bench spy_bench)
# One target that builds them all: cmake --build build/win32 --target benchmarks
add_custom_target(benchmarks DEPENDS ${VORNEL_WIN32_BENCHMARKS})
