# Test helpers shared by the Linux and the Windows builds.
include_guard(GLOBAL)
include(GoogleTest)

# On a cross build the test programs can only run under the emulator (Wine),
# so CTest lists their cases when the tests run, not when they are built: the
# build then needs no Wine at all.
if(CMAKE_CROSSCOMPILING)
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()

# vorlen_add_windows_test(<target>
#                         SOURCES <file>...
#                         [LIBRARIES <target-or-lib>...]
#                         [TIMEOUT <seconds>]    # per test case, default 60
#                         [SERIAL]               # never alongside another test
#                         [DPI])                 # run again at 144 dpi
#
# Adds a GoogleTest program for the Windows build (a console program linked
# with GoogleTest's main and the project's warning flags) and registers each
# of its cases with CTest; ctest runs them under Wine through
# tools/wine-run.sh. Use SERIAL for tests that show windows, take the focus or
# press keys, since all of them share the one desktop of the Wine prefix.
# tools/windows.sh runs every test with the prefix at 96 dpi, then the DPI
# tests (label "dpi") again at 144 dpi; VORLEN_TEST_DPI in the environment
# tells a test which of the two it is in.
# Example, in a tests/win32*/CMakeLists.txt (picked up by tests/CMakeLists.txt):
#   vorlen_add_windows_test(vorlen_win32_tests SOURCES form_test.cpp
#                           LIBRARIES vorlen_win32 SERIAL)
function(vorlen_add_windows_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "SERIAL;DPI" "TIMEOUT" "SOURCES;LIBRARIES")
  if(NOT WIN32)
    message(FATAL_ERROR "vorlen_add_windows_test(${target}) needs the Windows build")
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 60)
  endif()
  add_executable(${target} ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} vorlen_flags GTest::gmock GTest::gtest_main)
  set(properties TIMEOUT ${arg_TIMEOUT})
  if(arg_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  if(arg_DPI)
    list(APPEND properties LABELS dpi)
  endif()
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES ${properties})
endfunction()
