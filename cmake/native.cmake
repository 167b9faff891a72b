# The native build: the portable logic only, tested under AddressSanitizer and
# UndefinedBehaviorSanitizer; with PARAVUE_FUZZ, the parsers' libFuzzer targets
# instead (clang).
set(PARAVUE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${PARAVUE_WARNINGS} ${PARAVUE_SANITIZE} -g)
add_link_options(${PARAVUE_SANITIZE})

option(PARAVUE_FUZZ "Build the libFuzzer targets (needs clang) instead of the tests" OFF)
if(PARAVUE_FUZZ)
  # The portable code once with the fuzzer's coverage, linked into every target.
  add_library(paravue_fuzzed STATIC ${PARAVUE_PORTABLE_SOURCES})
  target_include_directories(paravue_fuzzed PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(paravue_fuzzed PUBLIC -fsanitize=fuzzer-no-link)
  foreach(f ${PARAVUE_FUZZERS})
    get_filename_component(name ${f} NAME_WE)
    add_executable(${name} ${f})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE paravue_fuzzed)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
  return()
endif()

add_library(paravue_portable STATIC ${PARAVUE_PORTABLE_SOURCES})
target_include_directories(paravue_portable PUBLIC ${CMAKE_SOURCE_DIR}/src)

paravue_suites(_native_tests ${PARAVUE_PORTABLE_TESTS})
foreach(suite ${PARAVUE_SUITE_NAMES})
  target_link_libraries(${suite}_native_tests PRIVATE paravue_portable gtest_main)
  add_test(NAME native_${suite} COMMAND ${suite}_native_tests)
endforeach()
