# Google Benchmark of the expression evaluator (not part of the test run).
find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(evaluator_bench ${CMAKE_SOURCE_DIR}/tests/bench/evaluator_bench.cpp
        ${CMAKE_SOURCE_DIR}/logic/evaluator.cpp ${CMAKE_SOURCE_DIR}/logic/decimal_text.cpp
        ${CMAKE_SOURCE_DIR}/logic/result_format.cpp)
    target_include_directories(evaluator_bench PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(evaluator_bench PRIVATE -O2)
    target_link_libraries(evaluator_bench PRIVATE benchmark::benchmark)
endif()
