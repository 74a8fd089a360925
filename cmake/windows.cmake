# The Windows program, its Win32 tests under Wine and the end-to-end tests.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

set(KIVO_BIN ${CMAKE_BINARY_DIR}/bin)            # the runnable folder
set(KIVO_WIN_DEFINES UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX)
set(KIVO_WIN_LIBS gdiplus dwmapi psapi shcore shlwapi comctl32 comdlg32 oleacc oleaut32 ole32 uuid shell32 winmm
    gdi32 user32 advapi32 msimg32)

file(GLOB_RECURSE KIVO_ALL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
set(KIVO_WIN_SOURCES ${KIVO_ALL_SOURCES})
list(REMOVE_ITEM KIVO_WIN_SOURCES ${KIVO_CORE_SOURCES} ${CMAKE_SOURCE_DIR}/src/app/startup.cpp)

# Everything but the entry point, so the Win32 tests link the same code the program runs.
add_library(kivo_win STATIC ${KIVO_CORE_SOURCES} ${KIVO_WIN_SOURCES})
target_include_directories(kivo_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(kivo_win PUBLIC ${KIVO_WIN_DEFINES})
target_compile_options(kivo_win PUBLIC -Wall -Wextra -Wno-missing-field-initializers)
target_link_libraries(kivo_win PUBLIC ${KIVO_WIN_LIBS})

add_executable(KivoPlayer WIN32 src/app/startup.cpp res/kivoplayer.rc)
target_link_libraries(KivoPlayer PRIVATE kivo_win)
target_link_options(KivoPlayer PRIVATE -municode -mwindows)
set_target_properties(KivoPlayer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KIVO_BIN})

# Fonts and the real engine beside the program; both scripts skip work already done.
add_custom_target(runtime_files ALL
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-fonts.sh ${KIVO_BIN}/fonts
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/engine.sh ${KIVO_BIN}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KIVO_BIN}/lang
    VERBATIM)

# The language folder ships the template pack, written by the program from its own table.
add_custom_command(OUTPUT ${KIVO_BIN}/lang/template.ini
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/dump-template.sh $<TARGET_FILE:KivoPlayer> ${KIVO_BIN}/lang/template.ini
    DEPENDS KivoPlayer VERBATIM)
add_custom_target(language_template ALL DEPENDS ${KIVO_BIN}/lang/template.ini)

# GoogleTest cross-built from Debian's sources.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

option(KIVO_WITH_SCRIPTED_ENGINE "Build the scripted engine test double" ON)
if(KIVO_WITH_SCRIPTED_ENGINE AND EXISTS ${CMAKE_SOURCE_DIR}/tests/scripted-engine/CMakeLists.txt)
    add_subdirectory(tests/scripted-engine)
endif()

file(GLOB KIVO_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${KIVO_WIN32_TESTS})
target_link_libraries(win32_tests PRIVATE kivo_win gtest_main)
# Tests that show windows share one Wine desktop: where they probe the screen or click, a
# window of a test running beside them would be in the way, so they take turns.
gtest_discover_tests(win32_tests TEST_PREFIX "win32." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES FIXTURES_REQUIRED full_disk RESOURCE_LOCK desktop
               ENVIRONMENT "KIVO_FULL_DIR=${CMAKE_BINARY_DIR}/full-disk")
add_test(NAME win32.prepare_full_disk
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/full-disk.sh setup ${CMAKE_BINARY_DIR}/full-disk)
add_test(NAME win32.release_full_disk
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/full-disk.sh cleanup ${CMAKE_BINARY_DIR}/full-disk)
set_tests_properties(win32.prepare_full_disk PROPERTIES FIXTURES_SETUP full_disk)
set_tests_properties(win32.release_full_disk PROPERTIES FIXTURES_CLEANUP full_disk)

# End-to-end: the real program under Wine and Xvfb, one scenario file per test, run one at a time
# because they share the test data folder and the single-instance names.
find_program(PYTHON3 python3 REQUIRED)
file(GLOB KIVO_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.py)
foreach(script ${KIVO_E2E_TESTS})
    get_filename_component(module ${script} NAME_WE)
    string(REGEX REPLACE "^test_" "" name ${module})
    add_test(NAME e2e.${name} COMMAND ${PYTHON3} -m unittest -v ${module}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/e2e)
    set_tests_properties(e2e.${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300
        ENVIRONMENT "KIVO_BIN=${KIVO_BIN};KIVO_BUILD=${CMAKE_BINARY_DIR};KIVO_SOURCE=${CMAKE_SOURCE_DIR}")
endforeach()

# The end-to-end tests' driver, run under Wine beside the program.
add_executable(kivoctl ${CMAKE_SOURCE_DIR}/tests/e2e/tools/kivoctl.cpp)
target_compile_definitions(kivoctl PRIVATE ${KIVO_WIN_DEFINES})
target_link_libraries(kivoctl PRIVATE oleacc oleaut32 ole32 uuid)
target_link_options(kivoctl PRIVATE -municode)
set_target_properties(kivoctl PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# Benchmarks: built with the program, run by hand (bench/*.sh, bench/*.py); never tests.
add_subdirectory(bench)
