# The one way to add a test program, for the Linux and the Windows builds.
include_guard(GLOBAL)
include(GoogleTest)

# On a cross build the test programs can only run under the emulator (Wine, or
# node for WebAssembly), so CTest lists their cases when the tests run, not
# when they are built: the build then needs no Wine at all.
if(CMAKE_CROSSCOMPILING)
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()

# vorlen_add_test(<target> SOURCES <file>... [LIBRARIES <lib>...]
#                 [GUI] [SERIAL] [DPI]
#                 [ENVIRONMENT <NAME=value>...] [LABELS <label>...] [TIMEOUT <seconds>])
#
# One GoogleTest program whose cases CTest discovers and runs one by one
# (under Wine, through tools/wine-run.sh, in the Windows build).
#   GUI     the Qt window's suites: the window, the shared headless test main
#           (tests/support), run on the offscreen platform. Without it the
#           program gets GoogleTest's own main.
#   SERIAL  never alongside another test: for Windows tests that show windows,
#           take the focus or press keys on the Wine prefix's one desktop.
#   DPI     tools/windows.sh runs it again with the prefix at 144 dpi (label
#           "dpi"; VORLEN_TEST_DPI tells a test which pass it is in).
# TIMEOUT is per case, 120 s unless given.
function(vorlen_add_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "GUI;SERIAL;DPI" "TIMEOUT" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS")
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  add_executable(${target} ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE vorlen_flags ${arg_LIBRARIES})
  set(labels ${arg_LABELS})
  set(environment ${arg_ENVIRONMENT})
  if(arg_GUI)
    target_link_libraries(${target} PRIVATE vorlen_qt_test_support)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    list(APPEND environment QT_QPA_PLATFORM=offscreen)
  else()
    target_link_libraries(${target} PRIVATE GTest::gmock GTest::gtest_main)
  endif()
  if(arg_DPI)
    list(APPEND labels dpi)
  endif()
  if(EMSCRIPTEN)
    # Under node: the exit code is the test's verdict, and GoogleTest needs
    # more than the default 16 MiB of memory.
    target_link_options(${target} PRIVATE -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
  endif()
  set(properties TIMEOUT ${arg_TIMEOUT})
  if(arg_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  # A list inside PROPERTIES keeps its items only with escaped separators.
  if(labels)
    string(REPLACE ";" "\\;" labels "${labels}")
    list(APPEND properties LABELS "${labels}")
  endif()
  if(environment)
    string(REPLACE ";" "\\;" environment "${environment}")
    list(APPEND properties ENVIRONMENT "${environment}")
  endif()
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES ${properties})
endfunction()
