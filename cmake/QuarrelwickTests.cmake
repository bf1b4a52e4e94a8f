# qw_add_tests(NAME <exe> LIBS <libs...> SOURCES <files...> [DISPLAY] [SHOWN_WINDOWS] [TIMEOUT <s>]
#              [ENV <var=value...>])
# Builds one GoogleTest executable and registers each of its tests with CTest.
# TIMEOUT: the limit for any one of its tests in a plain build (unless given, 120 s for display
# tests and 60 s for the others), sized to the longest of them on a loaded machine with room to
# spare; qw_test_timeout scales it for the sanitizer builds. It is the only limit a test has:
# the test command passes ctest none.
# DISPLAY tests get the Xvfb fixture, its DISPLAY and OpenAL's null output. SHOWN_WINDOWS tests
# map real windows and read pointer input: a window mapped under the pointer by one test sends
# enter and motion events to another, so these run one at a time, on an Xvfb server of their own
# where no other test maps windows.

# Each fixture's server picks a free display number itself and writes it into its state folder
# in the build tree; display tests read it from there when they run (with-display.sh), so build
# trees and fixtures started at once never share a server.
set(QW_TEST_XVFB_DIR ${CMAKE_BINARY_DIR}/xvfb)
set(QW_TEST_SHOWN_XVFB_DIR ${CMAKE_BINARY_DIR}/xvfb-shown)

# The online services' addresses point at a refused local port: no test reaches the built-in
# hosts, and a test that needs a server starts its own and sets them.
set(QW_TEST_ENV
  "QUARRELWICK_NONINTERACTIVE=1"
  "QUARRELWICK_SCORE_URL=http://127.0.0.1:1"
  "QUARRELWICK_UPDATE_URL=http://127.0.0.1:1"
  "ALSOFT_DRIVERS=null"
  "QW_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
  "QW_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}"
  # Read only by a sanitizer build. Leaks are looked for in every test; the system libraries'
  # own leaks and races are named in the suppression files.
  "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
  # clang 14's runtime can take a thread's dynamic TLS block for an old glibc's and crash the
  # leak check at exit ("Tracer caught signal 11"); not intercepting __tls_get_addr avoids it.
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan-suppressions.txt:print_suppressions=0:intercept_tls_get_addr=0"
  "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${PROJECT_SOURCE_DIR}/tests/support/tsan-suppressions.txt")

# The sanitizer builds run the same tests several times slower.
if(QW_SANITIZE OR QW_TSAN)
  set(QW_TEST_TIMEOUT_SCALE 3)
else()
  set(QW_TEST_TIMEOUT_SCALE 1)
endif()
# qw_test_timeout(<out var> <seconds in a plain build>)
function(qw_test_timeout out seconds)
  math(EXPR scaled "${seconds} * ${QW_TEST_TIMEOUT_SCALE}")
  set(${out} ${scaled} PARENT_SCOPE)
endfunction()

set(_qw_xvfb ${PROJECT_SOURCE_DIR}/tests/support/xvfb.sh)
add_test(NAME xvfb_start COMMAND ${_qw_xvfb} start ${QW_TEST_XVFB_DIR})
add_test(NAME xvfb_stop COMMAND ${_qw_xvfb} stop ${QW_TEST_XVFB_DIR})
set_tests_properties(xvfb_start PROPERTIES FIXTURES_SETUP xvfb TIMEOUT 90)
set_tests_properties(xvfb_stop PROPERTIES FIXTURES_CLEANUP xvfb)
add_test(NAME xvfb_shown_start COMMAND ${_qw_xvfb} start ${QW_TEST_SHOWN_XVFB_DIR})
add_test(NAME xvfb_shown_stop COMMAND ${_qw_xvfb} stop ${QW_TEST_SHOWN_XVFB_DIR})
set_tests_properties(xvfb_shown_start PROPERTIES FIXTURES_SETUP xvfb_shown TIMEOUT 90)
set_tests_properties(xvfb_shown_stop PROPERTIES FIXTURES_CLEANUP xvfb_shown)

function(qw_add_tests)
  cmake_parse_arguments(T "DISPLAY;SHOWN_WINDOWS" "NAME;TIMEOUT" "LIBS;SOURCES;ENV" ${ARGN})
  if(NOT T_TIMEOUT AND T_DISPLAY)
    set(T_TIMEOUT 120)
  elseif(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  qw_test_timeout(timeout ${T_TIMEOUT})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} qw_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  set(env ${QW_TEST_ENV})
  set(launcher env)
  if(T_DISPLAY)
    if(T_SHOWN_WINDOWS)
      set(xvfb_dir ${QW_TEST_SHOWN_XVFB_DIR})
      set(props FIXTURES_REQUIRED xvfb_shown RESOURCE_LOCK xvfb_shown_windows)
    else()
      set(xvfb_dir ${QW_TEST_XVFB_DIR})
      set(props FIXTURES_REQUIRED xvfb)
    endif()
    set(launcher ${PROJECT_SOURCE_DIR}/tests/support/with-display.sh ${xvfb_dir}/display env)
    # No accessibility bridge: there is no such bus on the test server, and the bridge keeps
    # what it set up for the process.
    list(APPEND env "SDL_VIDEODRIVER=x11" "LIBGL_ALWAYS_SOFTWARE=1" "NO_AT_BRIDGE=1")
  else()
    list(APPEND env "DISPLAY=" "SDL_VIDEODRIVER=dummy")
    set(props "")
  endif()
  list(APPEND env ${T_ENV})
  # gtest_discover_tests cannot pass a list-valued ENVIRONMENT through, so the tests
  # (and their listing) run under env(1) with the variables as arguments.
  set_target_properties(${T_NAME} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher};${env}")
  # Each test is labelled with its executable, so that a build of a few executables (the
  # ThreadSanitizer build) runs just theirs (ctest -L).
  # Listing the tests starts a sanitizer build's executable, which a loaded machine makes slow;
  # a listing that runs out of time leaves the whole executable untested.
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 300
    PROPERTIES TIMEOUT ${timeout} LABELS ${T_NAME} ${props})
endfunction()
