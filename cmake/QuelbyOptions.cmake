# Build options shared by every target.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

option(QUELBY_BUILD_TESTS "Build the Qt Test suites" ON)
option(QUELBY_BUILD_BENCH "Build the benchmark (needs Google Benchmark)" OFF)

find_program(QUELBY_CCACHE ccache)
if(QUELBY_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QUELBY_CCACHE})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# The windows and the running application keep their files beside the executable.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
