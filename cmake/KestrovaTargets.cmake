# Helpers shared by every folder's CMakeLists.txt.
include(GoogleTest)

# kestrova_add_test(NAME SOURCES... LIBS libs...): one GoogleTest executable registered with ctest.
function(kestrova_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kestrova_add_fuzzer(NAME SOURCE LIBS libs...): a parser of outside data under fuzzing.
# Every build replays the committed corpus (tests/fuzz/corpus/NAME) through the same entry point
# as a ctest case; with KESTROVA_FUZZ the libFuzzer executable fuzz_NAME is built as well.
function(kestrova_add_fuzzer name source)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  set(corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  add_executable(replay_${name} ${source} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
  target_link_libraries(replay_${name} PRIVATE ${ARG_LIBS})
  add_test(NAME fuzz_corpus_${name} COMMAND replay_${name} ${corpus})
  if(KESTROVA_FUZZ)
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
  endif()
endfunction()

# kestrova_add_bench(NAME SOURCES... LIBS libs...): a Google Benchmark executable under bench/.
# Benchmarks are run by hand (build/release/bench/...), never by ctest.
function(kestrova_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
