# vk_add_gtest_executable(<name> SOURCES <files...> LIBS <targets...>)
# What every test executable has: its sources and layers, GoogleTest and GoogleMock, and the
# folder of the test data as VK_TEST_DATA_DIR.
function(vk_add_gtest_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE VK_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
endfunction()

# vk_add_test(<name> LABEL <core|gui> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per area; the "core" label marks tests that build and run
# without Qt and are repeated under the sanitizers.
function(vk_add_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  vk_add_gtest_executable(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS} GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "${ARG_LABEL}"
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# vk_add_display_test(<name> SOURCES <files...> LIBS <targets...>)
# A GoogleTest executable that drives the program through a real X server (tests/display/):
# label "display", Qt's xcb platform, and one lock so that no two of them share the pointer and
# the keyboard at once. scripts/test runs them against a private Xvfb.
function(vk_add_display_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  vk_add_gtest_executable(${name} SOURCES ${ARG_SOURCES}
                          LIBS ${ARG_LIBS} vk_display_main vk_display_harness)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES LABELS display RESOURCE_LOCK vk_x_display TIMEOUT 300
                                  ENVIRONMENT "QT_QPA_PLATFORM=xcb")
endfunction()

# vk_add_bench(<name> SOURCES <files...> LIBS <targets...>): one Google Benchmark executable.
function(vk_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
