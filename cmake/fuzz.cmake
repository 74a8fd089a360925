# libFuzzer targets for every parser of outside input (built with clang).
set(KIVO_FUZZ_SECONDS 30 CACHE STRING "Seconds each fuzz target runs in the test command")
set(KIVO_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -g)

add_library(kivo_core_fuzz STATIC ${KIVO_CORE_SOURCES})
target_include_directories(kivo_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(kivo_core_fuzz PUBLIC -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)

file(GLOB KIVO_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(source ${KIVO_FUZZERS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE kivo_core_fuzz)
    target_compile_options(${name} PRIVATE ${KIVO_FUZZ_FLAGS})
    target_link_options(${name} PRIVATE ${KIVO_FUZZ_FLAGS})
    # A bounded run per target; the corpus grows in the build folder between runs.
    set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
    file(MAKE_DIRECTORY ${corpus})
    add_test(NAME fuzz.${name}
             COMMAND ${name} -max_total_time=${KIVO_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                     ${corpus} ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${name})
endforeach()
