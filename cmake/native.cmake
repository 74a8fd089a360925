# Native build of the core with AddressSanitizer and UBSan, and its GoogleTest suite.
set(KIVO_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(kivo_core STATIC ${KIVO_CORE_SOURCES})
target_include_directories(kivo_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(kivo_core PUBLIC -Wall -Wextra ${KIVO_SANITIZE})
target_link_options(kivo_core PUBLIC ${KIVO_SANITIZE})

find_package(GTest QUIET)
if(NOT GTest_FOUND)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    add_library(GTest::gtest_main ALIAS gtest_main)
endif()
include(GoogleTest)

file(GLOB KIVO_CORE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
add_executable(core_tests ${KIVO_CORE_TESTS})
target_link_libraries(core_tests PRIVATE kivo_core GTest::gtest_main)
gtest_discover_tests(core_tests TEST_PREFIX "core." DISCOVERY_TIMEOUT 60)
