# End-to-end lane: the real vornel.exe started as its own process under Wine
# and checked from outside. Each test is its own CTest test (one process),
# and all of them share the test prefix with the Win32 lane, so they never
# run beside it.

# A window-procedure hook that the tests place inside the running vornel.exe
# to see the messages it receives. No export decorations, so the test finds
# the procedure by its plain name.
add_library(message_spy SHARED ${CMAKE_SOURCE_DIR}/tests/fixtures/message_spy.cpp)
set_target_properties(message_spy PROPERTIES PREFIX "" OUTPUT_NAME message_spy)
target_link_options(message_spy PRIVATE -static -Wl,--kill-at)

file(GLOB VORNEL_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.cpp)
add_executable(e2e_tests ${VORNEL_E2E_TESTS}
    ${CMAKE_SOURCE_DIR}/tests/e2e/e2e_support.cpp
    ${CMAKE_SOURCE_DIR}/tests/e2e/vornel_test.cpp)
target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(e2e_tests PRIVATE -O1 -Wall -Wextra -Wno-cast-function-type -Wno-missing-field-initializers)
target_compile_definitions(e2e_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX STRICT)
target_link_libraries(e2e_tests PRIVATE wine_support gtest gtest_main gdi32)
target_link_options(e2e_tests PRIVATE -static -mconsole)
# The tests start vornel.exe and load the hook from beside themselves.
add_dependencies(e2e_tests vornel message_spy)

include(GoogleTest)
gtest_add_tests(TARGET e2e_tests TEST_PREFIX "e2e.${VORNEL_ARCH}." TEST_LIST VORNEL_E2E_TEST_NAMES)
set_tests_properties(${VORNEL_E2E_TEST_NAMES} PROPERTIES RESOURCE_LOCK wineprefix-${VORNEL_ARCH} TIMEOUT 120)

# The 32-bit program once more where Wine reports Windows 98, in a prefix of
# its own (see scripts/wine-run.sh): the 9x family takes its own paths
# through the program, such as the tool help snapshot of the processes list.
if(VORNEL_ARCH STREQUAL "x86")
    gtest_add_tests(TARGET e2e_tests TEST_PREFIX "e2e.x86-win98." TEST_LIST VORNEL_E2E_WIN98_TEST_NAMES)
    set_tests_properties(${VORNEL_E2E_WIN98_TEST_NAMES} PROPERTIES RESOURCE_LOCK wineprefix-x86-win98 TIMEOUT 120
                         ENVIRONMENT VORNEL_WINE_VERSION=win98)
endif()
