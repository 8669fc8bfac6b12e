# GoogleTest from source: Debian ships it in /usr/src/googletest; on Windows
# (MSYS2) an installed GTest package is used instead.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
  add_library(gtest_main ALIAS GTest::gtest_main)
  add_library(gmock ALIAS GTest::gmock)
endif()

# The test programs' own code is built for debugging, not for speed: under
# -O2 with debug information a test file takes about twice as long to
# compile, and the Windows build of the tests is most of a test run's build
# time. The program's code they test (ledger_core, ledger_win) keeps the
# build's flags, and so does the benchmark. Further arguments are passed to
# target_precompile_headers: the headers every test file parses (about a
# quarter of its compile) are then parsed once.
function(ledger_test_build target)
  if(NOT WIN32)
    return()
  endif()
  target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Og>)
  if(ARGN)
    target_precompile_headers(${target} ${ARGN})
  endif()
endfunction()
set(LEDGER_TEST_HEADERS <gtest/gtest.h> <string> <vector>)
foreach(gtest_target IN ITEMS gtest gtest_main gmock gmock_main)
  if(TARGET ${gtest_target})
    ledger_test_build(${gtest_target})
  endif()
endforeach()

# One test program per subsystem folder under tests/unit. Files ending in
# _win_test.cpp need Windows (they run under Wine); the others also run
# natively under the sanitizers.
file(GLOB UNIT_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/unit/*)
foreach(dir IN LISTS UNIT_DIRS)
  if(NOT IS_DIRECTORY ${dir})
    continue()
  endif()
  get_filename_component(name ${dir} NAME)
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT WIN32)
    list(FILTER srcs EXCLUDE REGEX "_win_test\\.cpp$")
  else()
    # Resources a test program needs of its own (cursors, icons).
    file(GLOB rcs CONFIGURE_DEPENDS ${dir}/*.rc)
    list(APPEND srcs ${rcs})
  endif()
  if(NOT srcs)
    continue()
  endif()
  add_executable(unit_${name} ${srcs})
  # The unit test programs are built alike: they share one parsed header.
  if(NOT first_unit)
    set(first_unit unit_${name})
    ledger_test_build(unit_${name} PRIVATE ${LEDGER_TEST_HEADERS})
  else()
    ledger_test_build(unit_${name} REUSE_FROM ${first_unit})
  endif()
  target_include_directories(unit_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
  if(WIN32)
    target_link_libraries(unit_${name} PRIVATE ledger_win gmock gtest_main)
  else()
    target_link_libraries(unit_${name} PRIVATE ledger_core gmock gtest_main)
  endif()
  add_test(NAME unit_${name} COMMAND unit_${name} --gtest_brief=1)
  set_tests_properties(unit_${name} PROPERTIES TIMEOUT 300 LABELS unit)
endforeach()

if(WIN32 AND EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
if(WIN32 AND EXISTS ${CMAKE_SOURCE_DIR}/tests/crash/CMakeLists.txt)
  add_subdirectory(tests/crash)
endif()
