# The suites: the unit tests and sweeps (GoogleTest), the fuzzer, the
# terminal and release tests, the page's tests and the end-to-end transcripts.
if(BINDSMITH_TESTS OR BINDSMITH_FUZZ)
  add_library(bindsmith_sessions STATIC tests/support/session.cpp tests/support/script_checks.cpp)
  target_include_directories(bindsmith_sessions PUBLIC tests)
  target_link_libraries(bindsmith_sessions PUBLIC bindsmith_core)
endif()

if(BINDSMITH_FUZZ)
  enable_testing()
  add_executable(session_fuzzer fuzz/session_fuzzer.cpp)
  target_link_libraries(session_fuzzer PRIVATE bindsmith_sessions)
  target_link_options(session_fuzzer PRIVATE -fsanitize=fuzzer)
  add_test(NAME fuzz.session
    COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/run_fuzzer.sh $<TARGET_FILE:session_fuzzer>
            ${BINDSMITH_FUZZ_SECONDS})
endif()

# The command that runs a cross-compiled program here (wine), as one string.
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator)

# The unit tests and the terminal test run the program's own process, with
# fork, signals and a real terminal, none of which a web page has; the web
# build runs the transcripts and its browser test.
if(BINDSMITH_TESTS AND "unit-tests" IN_LIST BINDSMITH_CAPABILITIES)
  enable_testing()
  include(GoogleTest)
  if(CMAKE_CROSSCOMPILING)
    # No GoogleTest is installed for the target: build Debian's sources.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
  else()
    find_package(GTest REQUIRED)
  endif()

  add_executable(bindsmith_unit_tests
    tests/support/fixture.cpp
    tests/support/script_checks_test.cpp
    tests/robustness_test.cpp
    src/platform/files_test.cpp
    src/platform/interrupts_test.cpp
    src/platform/standard_streams_test.cpp
    src/console/stream_buffers_test.cpp
    src/console/prompt_test.cpp
    src/app/main_menu_test.cpp
    src/config/game_syntax_test.cpp
    src/config/script_test.cpp
    src/binds/key_capture_test.cpp
    src/binds/buy_alias_test.cpp
    src/binds/weapon_catalogue_test.cpp
    src/binds/quick_binds_test.cpp
    src/config/player_settings_test.cpp
  )
  # The sweeps that kill the program outright run the program itself.
  target_compile_definitions(bindsmith_unit_tests PRIVATE
    BINDSMITH_E2E_DIR="${CMAKE_SOURCE_DIR}/tests/e2e"
    BINDSMITH_PROGRAM="$<TARGET_FILE:bindsmith>")
  # What the platform lets a test do (cmake/platforms.txt), asked for by
  # name: start a child process (fork), end it by a signal, give a file POSIX
  # permissions and make a named pipe (file-modes); or what it does, writing
  # text files in text mode.
  foreach(capability IN LISTS BINDSMITH_CAPABILITIES)
    string(TOUPPER "${capability}" capability)
    string(REPLACE "-" "_" capability "${capability}")
    target_compile_definitions(bindsmith_unit_tests PRIVATE BINDSMITH_HAS_${capability})
  endforeach()
  add_dependencies(bindsmith_unit_tests bindsmith)
  if("shim" IN_LIST BINDSMITH_CAPABILITIES)
    # Preloaded by the transcripts that need an instant or a failure no
    # outside event can give (tests/support/shim.cpp says which).
    add_library(bindsmith_shim MODULE tests/support/shim.cpp)
    target_link_libraries(bindsmith_shim PRIVATE bindsmith_warnings ${CMAKE_DL_LIBS})
    if(BINDSMITH_COVERAGE)
      # What is measured is the program; the shim only stands in front of it.
      target_compile_options(bindsmith_shim PRIVATE -fno-profile-arcs -fno-test-coverage)
    endif()
  endif()
  target_link_libraries(bindsmith_unit_tests PRIVATE bindsmith_sessions GTest::gtest_main)
  gtest_discover_tests(bindsmith_unit_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)

  # The program on a real terminal: prompts must show before the player types,
  # and Ctrl-C must end the run cleanly.
  find_program(PYTHON3 NAMES python3 REQUIRED)
  if(BINDSMITH_PLATFORM STREQUAL "windows" AND CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME pty.session COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/pty_session.py
                                      --windows $<TARGET_FILE:bindsmith> ${CMAKE_CROSSCOMPILING_EMULATOR})
    # The release files, made twice and tried as players get them. It lives
    # here because the .exe runs under the same emulator; it builds its own.
    add_test(NAME release COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release_test.sh
                                  ${CMAKE_SOURCE_DIR} "${emulator}")
    set_tests_properties(release PROPERTIES LABELS release TIMEOUT 1200)
  endif()
  if(BINDSMITH_PLATFORM STREQUAL "posix")
    add_test(NAME pty.session COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/pty_session.py
                                      $<TARGET_FILE:bindsmith>)
  endif()
endif()

if(BINDSMITH_TESTS)
  enable_testing()
  # What the platform offers the transcripts that need more than files and
  # pipes (tests/run_case.sh), and what runs the program where it cannot run
  # itself: the emulator of a cross build, or a preset's own host for its
  # transcripts (BINDSMITH_TRANSCRIPT_HOST).
  list(JOIN BINDSMITH_CAPABILITIES " " capabilities)
  set(e2e_environment "BINDSMITH_PLATFORM=${BINDSMITH_PLATFORM}"
    "BINDSMITH_CAPABILITIES=${capabilities}")
  if(BINDSMITH_TRANSCRIPT_HOST)
    list(APPEND e2e_environment "BINDSMITH_EMULATOR=${BINDSMITH_TRANSCRIPT_HOST}")
  elseif(emulator)
    list(APPEND e2e_environment "BINDSMITH_EMULATOR=${emulator}")
  endif()
  if("shim" IN_LIST BINDSMITH_CAPABILITIES)
    list(APPEND e2e_environment "BINDSMITH_SHIM=$<TARGET_FILE:bindsmith_shim>")
  endif()

  if(TARGET site)
    # The page in headless Chromium and headless Firefox, opened from its
    # folder and served, typed at as a player types; it keeps screenshots
    # of the page in artifacts/.
    add_test(NAME web.browser COMMAND ${NODE} ${CMAKE_SOURCE_DIR}/tests/web/browser_test.js
      ${site} ${CMAKE_SOURCE_DIR}/tests/e2e ${CMAKE_CURRENT_BINARY_DIR}/artifacts)
    set_tests_properties(web.browser PROPERTIES TIMEOUT 600)
    # The page's pure parts, alone under node: the line discipline, the
    # program host, the scripts kept in the browser, and the keyboard
    # picture with the program's data as the build writes it for the page.
    add_test(NAME web.line_discipline
      COMMAND ${NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/line_discipline_test.js)
    add_test(NAME web.program_host
      COMMAND ${NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/program_host_test.js)
    add_test(NAME web.kept_scripts
      COMMAND ${NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/kept_scripts_test.js)
    add_test(NAME web.terminal_screen
      COMMAND ${NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/terminal_screen_test.js)
    add_test(NAME web.keyboard_layout
      COMMAND ${NODE} --test ${CMAKE_SOURCE_DIR}/tests/web/keyboard_layout_test.js)
    set_tests_properties(web.keyboard_layout PROPERTIES
      ENVIRONMENT "BINDSMITH_PAGE_DATA=${site}/page-data.js")
  endif()

  # Each folder under tests/e2e is one transcript; adding a folder adds a test.
  file(GLOB e2e_cases CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/e2e/*)
  foreach(case_dir IN LISTS e2e_cases)
    if(IS_DIRECTORY ${case_dir})
      get_filename_component(case_name ${case_dir} NAME)
      add_test(NAME e2e.${case_name}
        COMMAND bash ${CMAKE_SOURCE_DIR}/tests/run_case.sh $<TARGET_FILE:bindsmith> ${case_dir})
      set_tests_properties(e2e.${case_name} PROPERTIES ENVIRONMENT "${e2e_environment}"
                                                        SKIP_RETURN_CODE 77)
    endif()
  endforeach()
endif()

