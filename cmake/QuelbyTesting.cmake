# A test's time limit; the sanitizer build runs the same work several times slower (the
# desktop-database reader's large libmdb buffers are mapped and unmapped one by one
# there), so its limits are three times as long.
if(QUELBY_SANITIZE)
  set(QUELBY_TIMEOUT_FACTOR 3)
else()
  set(QUELBY_TIMEOUT_FACTOR 1)
endif()

# quelby_add_test(NAME source... [UI] [BOTH_ENGINES])
# One Qt Test executable per area, run offscreen under CTest. Core tests link only
# quelby_core; UI tests (flag UI) link the windows as well. Every test links the
# test-support library with the fixtures and the fakes of the seams. A test marked
# BOTH_ENGINES runs a second time as NAME_pg (label "postgres"), its plants made on the
# PostgreSQL server named by QUELBY_PG_SERVER (scripts/test.sh starts one); without a
# server that pass is skipped.
function(quelby_add_test name)
  cmake_parse_arguments(ARG "UI;BOTH_ENGINES" "" "" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  if(ARG_UI)
    target_link_libraries(${name} PRIVATE quelby_test_support_ui)
  else()
    target_link_libraries(${name} PRIVATE quelby_test_support)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  math(EXPR timeout "300 * ${QUELBY_TIMEOUT_FACTOR}")
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUELBY_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT ${timeout})
  if(ARG_BOTH_ENGINES)
    math(EXPR server_timeout "600 * ${QUELBY_TIMEOUT_FACTOR}")
    add_test(NAME ${name}_pg COMMAND ${name})
    set_tests_properties(${name}_pg PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUELBY_SOURCE_DIR=${PROJECT_SOURCE_DIR};QUELBY_TEST_ENGINE=postgresql"
      LABELS postgres SKIP_RETURN_CODE 77 TIMEOUT ${server_timeout})
  endif()
endfunction()

# Qt Test gives every test the absolute paths of its build and source folders as
# definitions, for QFINDTESTDATA, which our tests do not use. Without them a test
# compiles alike in any clone, so a fresh clone's build finds it in ccache.
get_target_property(quelby_qttest_definitions Qt6::Test INTERFACE_COMPILE_DEFINITIONS)
list(FILTER quelby_qttest_definitions EXCLUDE REGEX "^QT_TESTCASE_(BUILD|SOURCE)DIR=")
set_target_properties(Qt6::Test PROPERTIES INTERFACE_COMPILE_DEFINITIONS "${quelby_qttest_definitions}")
