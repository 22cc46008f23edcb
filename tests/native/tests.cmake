# Native lane: the pure logic under GoogleTest with the host compiler,
# AddressSanitizer and UndefinedBehaviorSanitizer.
find_package(GTest REQUIRED)

set(VORNEL_SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(vornel_pure_native STATIC ${VORNEL_PURE_SOURCES})
target_include_directories(vornel_pure_native PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vornel_pure_native PUBLIC ${VORNEL_SANITIZERS} -g -O1 -Wall -Wextra)
target_link_options(vornel_pure_native PUBLIC ${VORNEL_SANITIZERS})

file(GLOB VORNEL_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
add_executable(native_tests ${VORNEL_NATIVE_TESTS})
target_link_libraries(native_tests PRIVATE vornel_pure_native GTest::gtest_main)

include(GoogleTest)
gtest_discover_tests(native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)

# The scripts' choice of Wine lanes, with stand-in loaders.
add_test(NAME native.Scripts.ArchitectureChoice
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/arch_choice_test.sh)
# Both release archives, built twice: their contents and their bytes.
add_test(NAME native.Scripts.ReleaseArchivesAreCompleteAndReproducible
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/package_test.sh)
set_tests_properties(native.Scripts.ReleaseArchivesAreCompleteAndReproducible PROPERTIES TIMEOUT 600)
