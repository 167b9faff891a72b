# The native build: only the portable logic (every source whose name does not end
# in _win.cpp), tested under AddressSanitizer and UndefinedBehaviorSanitizer.
set(PARAVUE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${PARAVUE_WARNINGS} ${PARAVUE_SANITIZE} -g)
add_link_options(${PARAVUE_SANITIZE})

set(PARAVUE_PORTABLE ${PARAVUE_SOURCES})
list(FILTER PARAVUE_PORTABLE EXCLUDE REGEX "_win\\.cpp$")
add_library(paravue_portable STATIC ${PARAVUE_PORTABLE})
target_include_directories(paravue_portable PUBLIC ${CMAKE_SOURCE_DIR}/src)

foreach(sub ${PARAVUE_SUBSYSTEMS})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${sub}/*_test.cpp)
  list(FILTER tests EXCLUDE REGEX "_win_test\\.cpp$")
  if(tests)
    add_executable(${sub}_native_tests ${tests})
    target_include_directories(${sub}_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${sub}_native_tests PRIVATE paravue_portable gtest_main)
    add_test(NAME native_${sub} COMMAND ${sub}_native_tests)
  endif()
endforeach()

# Coverage-guided fuzzing of the parsers, when clang with libFuzzer is at hand.
option(PARAVUE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(PARAVUE_FUZZ)
  file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(f ${fuzzers})
    get_filename_component(name ${f} NAME_WE)
    add_executable(${name} ${f} ${PARAVUE_PORTABLE})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
