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
# Takes the portable way of core/Platform everywhere, as a build for a system without
# the Linux calls does; CI builds and tests one such build.
option(QUELBY_PORTABLE_PLATFORM "Use only the portable fallbacks of core/Platform" OFF)
option(QUELBY_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

find_program(QUELBY_CCACHE ccache)
if(QUELBY_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QUELBY_CCACHE})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
if(QUELBY_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
# The windows and the running application keep their files beside the executable.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
