# Helpers shared by the Windows-side tests and benchmarks (no test framework).
add_library(wine_support STATIC ${CMAKE_SOURCE_DIR}/tests/support/wine_support.cpp)
target_include_directories(wine_support PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(wine_support PRIVATE -O1 -Wall -Wextra)
target_link_libraries(wine_support PUBLIC shlwapi)

# Recorders for the program's seam of irreversible calls (it links the
# program's code, so it is a library of its own).
add_library(seam_recorder STATIC ${CMAKE_SOURCE_DIR}/tests/support/seam_recorder.cpp)
target_include_directories(seam_recorder PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(seam_recorder PRIVATE -O1 -Wall -Wextra)
target_link_libraries(seam_recorder PUBLIC vornel_core)
