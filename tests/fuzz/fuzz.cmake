# libFuzzer target for the expression evaluator (clang only). Its short smoke
# run is part of the test run; long runs are started by hand:
#   build/native/evaluator_fuzz -max_len=300 -max_total_time=600
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_executable(evaluator_fuzz ${CMAKE_SOURCE_DIR}/tests/fuzz/evaluator_fuzz.cpp
        ${CMAKE_SOURCE_DIR}/logic/evaluator.cpp ${CMAKE_SOURCE_DIR}/logic/decimal_text.cpp)
    target_include_directories(evaluator_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(evaluator_fuzz PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined)
    target_link_options(evaluator_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    # New inputs go to the first directory, a scratch one in the build tree,
    # so the committed seed corpus never changes.
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-scratch)
    add_test(NAME fuzz.evaluator_smoke
        COMMAND evaluator_fuzz -max_len=300 -runs=200000 -seed=1
                ${CMAKE_BINARY_DIR}/fuzz-scratch ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus)
else()
    message(STATUS "evaluator_fuzz needs clang; skipped with ${CMAKE_CXX_COMPILER_ID}")
endif()
