# Helpers shared by the Windows-side tests and benchmarks (no test framework).
add_library(wine_support STATIC ${CMAKE_SOURCE_DIR}/tests/support/wine_support.cpp)
target_include_directories(wine_support PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(wine_support PRIVATE -O1 -Wall -Wextra)
target_link_libraries(wine_support PUBLIC shlwapi)
