# Helpers that every subsystem folder uses to declare its targets. Each one does the
# right thing in whichever tree is being configured, so a subsystem's CMakeLists.txt
# can list its portable library, unit tests, fuzzers and Windows parts side by side.

# zd_unit_test(NAME SOURCES src... [LINK lib...] [NOT_SANITIZED])
# A GoogleTest program of the native tree; every test in it is registered with CTest
# under the label "unit". The fuzz tree builds the same program with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the native tree registers one more test,
# "sanitized.NAME" (labels "unit" and "sanitized"), that runs it whole once.
# NOT_SANITIZED: a program that tests no product code (only the native build).
function(zd_unit_test name)
  cmake_parse_arguments(A "NOT_SANITIZED" "" "SOURCES;LINK" ${ARGN})
  if(ZD_FUZZ AND NOT A_NOT_SANITIZED)
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LINK} GTest::gtest GTest::gtest_main)
    return()
  endif()
  if(NOT ZD_HOST)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LINK} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES LABELS unit
    DISCOVERY_TIMEOUT 60)
  if(ZD_WITH_FUZZ AND NOT A_NOT_SANITIZED)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    add_test(NAME sanitized.${name} COMMAND ${ZD_FUZZ_BINARY_DIR}/${rel}/${name}
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(sanitized.${name} PROPERTIES LABELS "unit;sanitized" TIMEOUT 600)
  endif()
endfunction()

# zd_fuzzer(NAME SOURCES src... [LINK lib...] [CORPUS dir] [SECONDS n])
# In the fuzz tree: a libFuzzer program built with AddressSanitizer and
# UndefinedBehaviorSanitizer. In the native tree: a CTest test (label "fuzz") that runs
# that program for SECONDS (default 10) over a copy of CORPUS.
function(zd_fuzzer name)
  cmake_parse_arguments(A "" "CORPUS;SECONDS" "SOURCES;LINK" ${ARGN})
  if(NOT A_SECONDS)
    set(A_SECONDS 10)
  endif()
  if(ZD_FUZZ)
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LINK})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  elseif(ZD_HOST AND ZD_WITH_FUZZ)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    add_test(NAME fuzz_smoke.${name}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz_smoke.sh
              ${ZD_FUZZ_BINARY_DIR}/${rel}/${name} "${A_CORPUS}" ${A_SECONDS})
    set_tests_properties(fuzz_smoke.${name} PROPERTIES LABELS fuzz TIMEOUT 600)
  endif()
endfunction()

# zd_windows_program(NAME SOURCES src... [LINK lib...])
# A 32-bit Windows GUI program of the win32 tree, linked statically.
function(zd_windows_program name)
  if(NOT ZD_WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LINK" ${ARGN})
  add_executable(${name} WIN32 ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LINK})
endfunction()

# zd_e2e_test(NAME SCRIPT [TIMEOUT seconds] [ARGS arguments...])
# An end-to-end test of the native tree (label "e2e"): SCRIPT is a bash script that
# sources tests/e2e/harness.sh and drives the Windows programs of the win32 tree under
# Wine. The fixture "e2e" makes the run's Wine prefix; each test runs on a copy of it and
# a display of its own (tests/e2e/harness.sh), so that tests run side by side.
#
# X86_64_ON_EMU: on the emulated route (tests/e2e/README.md) the test plays the x86_64
# build of the game instead (label "x86_64"), for one of the three things that emulated
# 32-bit Wine cannot do: open the common Open and Save dialogs (GetOpenFileName hangs in
# about one call in three, in a bare i686 program as well), run a thread created from
# another process (`zdriver gdi`, which counts a program's GDI objects from inside it),
# or play sound steadily through a sound server (tests/e2e/CMakeLists.txt).
# A first run has no times of an earlier one at hand, and CTest then starts the tests in
# the order of their COST, highest first. The longest end-to-end tests start first, so
# that none of them starts late and runs on alone at the end. Seconds seen in a full run
# on two cores, three tests at a time; only the order matters.
set(ZD_E2E_COSTS
    game_full_large=280 game_landscape=200 game_full=190 game_sound=150 game_end=140
    game_hostile_folders=140 game_hostile_files=135 game_choose_background=135
    game_help_rescue=105 game_save_background=100 game_clock=95 game_clock_x86_64=90
    release_archive=80 game_data=75 game_play=75 game_folders=75 game_soak=75 game_modes=50
    landscape_same_pictures=45 game_help=45 installnote=40 game_startup=40
    game_capture_screen=40 game_menu_items=35 game_pictures=25 game_palette=25
    graphics_drawing_8bit=20 game_menu=20 harness_sound=15 graphics_drawing=15
    harness_driver=10)

function(zd_e2e_test name script)
  if(NOT (ZD_HOST AND ZD_WITH_WIN32))
    return()
  endif()
  cmake_parse_arguments(A "X86_64_ON_EMU" "TIMEOUT" "ARGS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  set(labels e2e)
  set(programs "")
  if(A_X86_64_ON_EMU AND ZD_E2E_ROUTE STREQUAL "emu")
    set(labels e2e x86_64)
    set(programs ";ZD_WIN32_DIR=${ZD_WIN64_BINARY_DIR}")
  endif()
  # Through run_test.sh: once more when the emulator crashed under a failed run.
  add_test(NAME e2e.${name}
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run_test.sh ${script} ${A_ARGS})
  set(cost 30)
  foreach(entry ${ZD_E2E_COSTS})
    if(entry MATCHES "^${name}=([0-9]+)$")
      set(cost ${CMAKE_MATCH_1})
    endif()
  endforeach()
  # One slot of the resource "e2e" (tools/test.sh gives as many as the machine takes):
  # the end-to-end tests run side by side, but fewer of them than tests in all.
  set_tests_properties(e2e.${name} PROPERTIES
    COST ${cost}
    RESOURCE_GROUPS "e2e:1"
    LABELS "${labels}"
    FIXTURES_REQUIRED e2e
    TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "${ZD_E2E_ENV};ZD_TEST_NAME=${name}${programs}")
endfunction()
