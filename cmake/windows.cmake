# The Windows build: the program itself, its Win32 test suites and the helper
# programs the tests start. ctest runs every suite under Wine.
add_compile_options(${PARAVUE_WARNINGS})
# GCC 12 reports false -Wrestrict overlaps inside std::string concatenation (a known
# compiler fault); the check adds nothing for our code.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
# GCC's identical-code folding merges functions whose bodies match even when their
# calling conventions differ: on i686 a member function (thiscall: this in ECX, the
# callee pops its arguments) with a free function or lambda (cdecl: the caller
# pops), and the stack is off by one argument after every call of the merged code.
# Seen as a crash in the launch list's file test.
add_compile_options(-fno-ipa-icf)
# Every function and every datum in a section of its own, so that the linker can
# drop the ones nothing refers to (--gc-sections).
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -Wl,--gc-sections)

set(PARAVUE_WIN32_DEFINITIONS WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
set(PARAVUE_WIN32_LIBRARIES user32 gdi32 comctl32 advapi32 shell32)

# Everything but the program's entry, for the test suites and test programs.
add_library(paravue_core STATIC ${PARAVUE_PORTABLE_SOURCES} ${PARAVUE_WIN32_SOURCES})
target_include_directories(paravue_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(paravue_core PUBLIC ${PARAVUE_WIN32_DEFINITIONS})
target_link_libraries(paravue_core PUBLIC ${PARAVUE_WIN32_LIBRARIES})

# paravue.exe is built from the same sources for size: optimised for size across
# the whole program, no locking around the first use of function-level statics
# (it runs one thread), no type information beyond what exceptions need (nothing
# asks a type at run time). One link-time partition: with several, GCC 12 stops on
# this program with an internal error (binds_to_current_def_p). The test suites
# link paravue_core as it is (link-time optimisation does not mix with their objects).
set(PARAVUE_SIZE_FLAGS -Oz -mpreferred-stack-boundary=2 -flto -flto-partition=one -fno-threadsafe-statics -fno-rtti)

# Light stand-ins for the heavy parts of the C++ runtime (src/runtime). They
# replace pieces of one library release: a toolchain they were not checked with
# gets the standard runtime instead, and a larger program.
option(PARAVUE_LEAN_RUNTIME "Link paravue.exe with the light stand-ins of src/runtime" ON)
if(PARAVUE_LEAN_RUNTIME)
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_INCLUDES ${CMAKE_SOURCE_DIR}/src)
  check_cxx_source_compiles("#include \"runtime/CheckedToolchain.h\"\nint main() { return 0; }"
                            PARAVUE_RUNTIME_TOOLCHAIN_CHECKED)
  unset(CMAKE_REQUIRED_INCLUDES)
  if(NOT PARAVUE_RUNTIME_TOOLCHAIN_CHECKED)
    message(WARNING "PARAVUE_LEAN_RUNTIME is turned off: the runtime stand-ins were checked "
            "against GCC 12's libstdc++ with DWARF-2 unwinding on i686, and this toolchain "
            "(${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION}) fails that check "
            "(src/runtime/CheckedToolchain.h). paravue.exe is built on the standard runtime "
            "(larger).")
    set(PARAVUE_LEAN_RUNTIME OFF)
  endif()
endif()
message(STATUS "paravue.exe runtime: ${PARAVUE_LEAN_RUNTIME} (PARAVUE_LEAN_RUNTIME)")
if(PARAVUE_LEAN_RUNTIME)
  add_library(paravue_runtime OBJECT ${PARAVUE_RUNTIME_SOURCES})
  target_include_directories(paravue_runtime PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(paravue_runtime PRIVATE ${PARAVUE_SIZE_FLAGS})
endif()

# A program built the way paravue.exe is: for size, stripped, on the stand-ins
# when they are in use (their own entry replaces the MinGW start-up object).
function(paravue_small_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_compile_options(${name} PRIVATE ${PARAVUE_SIZE_FLAGS})
  target_link_options(${name} PRIVATE ${PARAVUE_SIZE_FLAGS} -s)
  if(PARAVUE_LEAN_RUNTIME)
    target_link_libraries(${name} PRIVATE paravue_runtime)
    target_link_options(${name} PRIVATE -specs=${CMAKE_SOURCE_DIR}/cmake/lean-startup.specs
                        -Wl,-e,_WinMainCRTStartup)
  endif()
endfunction()

paravue_small_program(paravue ${PARAVUE_PORTABLE_SOURCES} ${PARAVUE_WIN32_SOURCES}
                      ${PARAVUE_ENTRY_SOURCES} ${PARAVUE_RESOURCES})
target_include_directories(paravue PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(paravue PRIVATE ${PARAVUE_WIN32_DEFINITIONS})
target_link_libraries(paravue PRIVATE ${PARAVUE_WIN32_LIBRARIES})
# On the stand-ins the program stays under 168 KiB.
if(PARAVUE_LEAN_RUNTIME)
  add_test(NAME paravue_size COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:paravue>
           -DLIMIT=172032 -P ${CMAKE_SOURCE_DIR}/cmake/check-size.cmake)
endif()
# The help file lives beside the program.
add_custom_command(TARGET paravue POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
          "${CMAKE_SOURCE_DIR}/src/launch/paravue help.html" "$<TARGET_FILE_DIR:paravue>/paravue help.html")

# The companion program for making launch lists, shipped beside paravue.exe and
# built the same way (what it does not use of the shared sources is dropped).
paravue_small_program(kindlet ${PARAVUE_KINDLET_SOURCES} ${PARAVUE_PORTABLE_SOURCES}
                      ${PARAVUE_WIN32_SOURCES})
target_include_directories(kindlet PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(kindlet PRIVATE ${PARAVUE_WIN32_DEFINITIONS})
target_link_libraries(kindlet PRIVATE ${PARAVUE_WIN32_LIBRARIES} comdlg32)

# Programs that stand in for "other programs" in the tests.
foreach(name ${PARAVUE_TEST_PROGRAMS})
  set(source tests/support/${name}_prog.cpp)
  if(name STREQUAL "winlist")
    add_executable(${name} ${source}) # a console program: it prints the list
  elseif(name STREQUAL "leancheck")
    # Checks the start-up and runtime that paravue.exe is built on.
    paravue_small_program(${name} ${source})
  elseif(name STREQUAL "crasher")
    # The program with a fault of choice, built as paravue.exe is (the way to the
    # report depends on the runtime): it carries the program's resources.
    paravue_small_program(${name} ${source} ${PARAVUE_PORTABLE_SOURCES} ${PARAVUE_WIN32_SOURCES}
                          ${PARAVUE_RESOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_definitions(${name} PRIVATE ${PARAVUE_WIN32_DEFINITIONS})
    target_link_libraries(${name} PRIVATE ${PARAVUE_WIN32_LIBRARIES})
    continue()
  elseif(name STREQUAL "minimal")
    # The benchmark's yardstick is shipped the way paravue.exe is: stripped.
    add_executable(${name} WIN32 ${source})
    target_link_options(${name} PRIVATE -s)
  else()
    add_executable(${name} WIN32 ${source})
  endif()
  target_link_libraries(${name} PRIVATE paravue_core)
endforeach()

# Compiled once for the suites and the benchmarks.
add_library(paravue_test_support STATIC ${PARAVUE_TEST_SUPPORT})
target_include_directories(paravue_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(paravue_test_support PUBLIC paravue_core)

foreach(bench ${PARAVUE_BENCHES})
  get_filename_component(name ${bench} NAME_WE)
  add_executable(${name} ${bench})
  target_link_libraries(${name} PRIVATE paravue_test_support psapi)
endforeach()

paravue_suites(_tests ${PARAVUE_PORTABLE_TESTS} ${PARAVUE_WIN32_TESTS})
foreach(suite ${PARAVUE_SUITE_NAMES})
  target_link_libraries(${suite}_tests PRIVATE paravue_test_support gtest_main)
  add_test(NAME win_${suite} COMMAND ${suite}_tests)
  set_tests_properties(win_${suite} PROPERTIES TIMEOUT 600)
endforeach()

# The end-to-end suite starts the program and the stand-in programs from its own folder.
add_dependencies(e2e_tests paravue kindlet testwins launched)
# The error tests read the program's string table and crash the crash program.
add_dependencies(errors_tests paravue crasher testwins)
# The record's test has the real guard watch over it.
add_dependencies(screens_tests paravue testwins)
# The runtime tests run the program built as paravue.exe is.
add_dependencies(runtime_tests leancheck)

# The soak run (scripts/soak): the real program against a model, beside it in bin/
# (with Kindlet, which a key too many in the window menu launches).
add_executable(soak ${PARAVUE_SOAK})
target_include_directories(soak PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(soak PRIVATE paravue_test_support)
add_dependencies(soak paravue testwins kindlet)
