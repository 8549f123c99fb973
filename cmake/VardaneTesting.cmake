# vardane_add_test(NAME LABELS l1 [l2...] SOURCES s1... LIBS l1...)
# One GoogleTest executable; each test case becomes its own ctest entry.
include(GoogleTest)
find_package(GTest REQUIRED)

# Sanitizer builds: every test runs with the leak checker's suppressions
# (cmake/VardaneChecks.cmake); the processes it starts inherit them. One
# entry only: the discovery script would flatten a list.
set(VARDANE_TEST_ENVIRONMENT "${VARDANE_SANITIZER_ENV}")

function(vardane_add_test name)
  cmake_parse_arguments(T "" "" "LABELS;SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${VARDANE_SOURCE_ROOT} ${VARDANE_SOURCE_ROOT}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VARDANE_BUILD_DIR="${CMAKE_BINARY_DIR}"
    VARDANE_SOURCE_DIR="${VARDANE_SOURCE_ROOT}")
  set(properties "")
  if(VARDANE_TEST_ENVIRONMENT)
    list(APPEND properties PROPERTIES ENVIRONMENT "${VARDANE_TEST_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${name}
    ${properties}
    DISCOVERY_TIMEOUT 60)
  # The discovery script flattens list-valued properties (LABELS "unit;slow"
  # would keep only "unit"), so the labels are set by a script of our own
  # that ctest reads after the discovered test list.
  set(labels_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake")
  file(WRITE "${labels_file}"
    "foreach(t IN LISTS ${name}_TESTS)\n"
    "  set_tests_properties(\"\${t}\" PROPERTIES LABELS \"${T_LABELS}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${labels_file}")
endfunction()
