# vardane_add_test(NAME LABELS l1 [l2...] SOURCES s1... LIBS l1...)
# One GoogleTest executable; each test case becomes its own ctest entry.
include(GoogleTest)
find_package(GTest REQUIRED)

function(vardane_add_test name)
  cmake_parse_arguments(T "" "" "LABELS;SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${VARDANE_SOURCE_ROOT} ${VARDANE_SOURCE_ROOT}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VARDANE_BUILD_DIR="${CMAKE_BINARY_DIR}"
    VARDANE_SOURCE_DIR="${VARDANE_SOURCE_ROOT}")
  gtest_discover_tests(${name}
    PROPERTIES LABELS "${T_LABELS}"
    DISCOVERY_TIMEOUT 60)
endfunction()
