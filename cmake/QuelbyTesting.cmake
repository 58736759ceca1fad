# quelby_add_test(NAME source... [UI])
# One Qt Test executable per area, run offscreen under CTest. Core tests link only
# quelby_core; UI tests (flag UI) link the windows as well. Every test links the
# test-support library with the fixtures and the fakes of the seams.
function(quelby_add_test name)
  cmake_parse_arguments(ARG "UI" "" "" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  if(ARG_UI)
    target_link_libraries(${name} PRIVATE quelby_test_support_ui)
  else()
    target_link_libraries(${name} PRIVATE quelby_test_support)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUELBY_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 300)
endfunction()
