# Win32 lane: GoogleTest built from its sources with MinGW; the tests link the
# program's code and resources and run in-process under Wine (through the
# crosscompiling emulator), against real windows, menus and registry.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Fixture applet files, installed into the test prefix's system directory by
# the tests that need them; vtplanted.cpl stays beside the test program, where
# a file named like a system applet must never be loaded from.
function(vornel_applet_fixture name variant)
    add_library(${name} SHARED ${CMAKE_SOURCE_DIR}/tests/fixtures/test_applets.cpp
                ${CMAKE_SOURCE_DIR}/tests/fixtures/test_applets.rc)
    target_compile_definitions(${name} PRIVATE APPLET_VARIANT=${variant})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".cpl" OUTPUT_NAME ${name})
    target_link_options(${name} PRIVATE -static -Wl,--kill-at)
endfunction()
vornel_applet_fixture(vtthree VARIANT_THREE)
vornel_applet_fixture(vtnoinit VARIANT_NO_INIT)
vornel_applet_fixture(vtnoentry VARIANT_NO_ENTRY)
vornel_applet_fixture(vtwide VARIANT_WIDE)
vornel_applet_fixture(vtmany VARIANT_MANY)
vornel_applet_fixture(vtplanted VARIANT_PLANTED)
vornel_applet_fixture(vtsysdm VARIANT_NO_INIT)
set_target_properties(vtsysdm PROPERTIES OUTPUT_NAME SYSDM)
set_target_properties(vtsysdm PROPERTIES SUFFIX ".CPL")

file(GLOB VORNEL_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*_test.cpp)
add_executable(win32_tests ${VORNEL_WIN32_TESTS}
    ${CMAKE_SOURCE_DIR}/tests/win32/test_support.cpp
    ${CMAKE_SOURCE_DIR}/tests/win32/face_reference.cpp
    ${CMAKE_SOURCE_DIR}/res/vornel.rc)
target_include_directories(win32_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(win32_tests PRIVATE -O1 -Wall -Wno-cast-function-type -Wno-missing-field-initializers)
target_link_libraries(win32_tests PRIVATE vornel_core seam_recorder wine_support gtest gtest_main psapi)
target_link_options(win32_tests PRIVATE -static -mconsole)
add_dependencies(win32_tests vtthree vtnoinit vtnoentry vtwide vtmany vtsysdm vtplanted)

include(GoogleTest)
# One process per test: each starts from a clean registry key and a fresh
# set of process-wide state, as the program itself does.
gtest_add_tests(TARGET win32_tests TEST_PREFIX "win32.${VORNEL_ARCH}." TEST_LIST VORNEL_WIN32_TEST_NAMES)
set_tests_properties(${VORNEL_WIN32_TEST_NAMES} PROPERTIES TIMEOUT 60 RESOURCE_LOCK wineprefix-${VORNEL_ARCH})
# Five hundred openings of the whole menu against the prefix's real applets.
set_tests_properties(win32.${VORNEL_ARCH}.OwnerDraw.FiveHundredOpeningsGiveBackEverythingTheyTook PROPERTIES TIMEOUT 300)

# Menus owned by the hidden button need Wine's managed windows (see
# scripts/common.sh); they run in a program of their own.
file(GLOB VORNEL_MANAGED_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/managed/*_test.cpp)
add_executable(win32_managed_tests ${VORNEL_MANAGED_TESTS}
    ${CMAKE_SOURCE_DIR}/tests/win32/test_support.cpp
    ${CMAKE_SOURCE_DIR}/res/vornel.rc)
target_include_directories(win32_managed_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(win32_managed_tests PRIVATE -O1 -Wall -Wno-cast-function-type -Wno-missing-field-initializers)
target_link_libraries(win32_managed_tests PRIVATE vornel_core seam_recorder wine_support gtest gtest_main)
target_link_options(win32_managed_tests PRIVATE -static -mconsole)
gtest_add_tests(TARGET win32_managed_tests TEST_PREFIX "win32.${VORNEL_ARCH}." TEST_LIST VORNEL_MANAGED_TEST_NAMES)
set_tests_properties(${VORNEL_MANAGED_TEST_NAMES} PROPERTIES TIMEOUT 60 RESOURCE_LOCK wineprefix-${VORNEL_ARCH})

add_executable(desktop_keeper WIN32 ${CMAKE_SOURCE_DIR}/tests/fixtures/desktop_keeper.cpp)
target_link_options(desktop_keeper PRIVATE -static)
