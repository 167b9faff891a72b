# The Windows build: the program itself, its Win32 test suites and the helper
# programs the tests start. ctest runs every suite under Wine.
add_compile_options(${PARAVUE_WARNINGS})
# GCC 12 reports false -Wrestrict overlaps inside std::string concatenation (a known
# compiler fault); the check adds nothing for our code.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
# GCC's identical-code folding merges a member function (thiscall: the callee pops
# its arguments) with a free function or lambda of the same body (cdecl: the caller
# pops) on i686, and the stack is off by one argument after every call of the folded
# code. Seen as a crash in the launch list's file test.
add_compile_options(-fno-ipa-icf)
add_link_options(-static)
# GCC's identical-code folding merges functions whose bodies match even when their
# calling conventions differ (a thiscall member and a plain function on i686): the
# merged code then reads the wrong argument and pops the stack wrongly.
add_compile_options(-fno-ipa-icf)
# A small program: no exception tables we do not need, unused sections dropped.
add_compile_options(-ffunction-sections -fdata-sections)
# GCC's identical-code folding merges a member function (thiscall: this in ECX,
# callee pops) with a free function of the same body (cdecl), so one of them is
# then called with the wrong convention and crashes. Seen with a lambda that
# calls FileExists next to a method that does the same.
add_compile_options(-fno-ipa-icf)
add_link_options(-Wl,--gc-sections)

add_library(paravue_core STATIC ${PARAVUE_SOURCES})
target_include_directories(paravue_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(paravue_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
target_link_libraries(paravue_core PUBLIC user32 gdi32 comctl32 advapi32 shell32)

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
  # The program itself is built from the same sources for size: optimised for
  # size across the whole program, no locking around the first use of
  # function-level statics (it runs one thread), no type information beyond what
  # exceptions need (nothing asks a type at run time), and lighter stand-ins for the
  # heavy parts of the C++ runtime (src/app/Lean*_win.cpp). The test suites link
  # paravue_core as it is (link-time optimisation does not mix with their objects).
  # One link-time partition: with several, GCC 12 stops on this program with an
  # internal error (binds_to_current_def_p).
  set(PARAVUE_LEAN_FLAGS -Os -flto -flto-partition=one -fno-threadsafe-statics -fno-rtti ${PARAVUE_LEAN_EXTRA})
  set(PARAVUE_LEAN_LINK ${PARAVUE_LEAN_FLAGS} -s -specs=${CMAKE_SOURCE_DIR}/cmake/lean-startup.specs
      -Wl,-e,_WinMainCRTStartup)
  file(GLOB PARAVUE_LEAN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/Lean*_win.cpp)
  file(GLOB PARAVUE_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/*.rc)
  add_executable(paravue WIN32 ${PARAVUE_SOURCES} ${CMAKE_SOURCE_DIR}/src/app/main.cpp
                 ${PARAVUE_LEAN_SOURCES} ${PARAVUE_RESOURCES})
  target_include_directories(paravue PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_definitions(paravue PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
  target_compile_options(paravue PRIVATE ${PARAVUE_LEAN_FLAGS})
  target_link_options(paravue PRIVATE ${PARAVUE_LEAN_LINK})
  target_link_libraries(paravue PRIVATE user32 gdi32 comctl32 advapi32 shell32)
  # The help file lives beside the program.
  add_custom_command(TARGET paravue POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            "${CMAKE_SOURCE_DIR}/src/launch/paravue help.html" "$<TARGET_FILE_DIR:paravue>/paravue help.html")
endif()

# Programs that stand in for "other programs" in the tests.
file(GLOB PARAVUE_TEST_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*_prog.cpp)
foreach(prog ${PARAVUE_TEST_PROGRAMS})
  get_filename_component(name ${prog} NAME_WE)
  string(REGEX REPLACE "_prog$" "" name ${name})
  if(name STREQUAL "winlist")
    add_executable(${name} ${prog})
  elseif(name STREQUAL "leancheck")
    # Built as paravue.exe is, to test its start-up and runtime pieces.
    add_executable(${name} WIN32 ${prog} ${PARAVUE_LEAN_SOURCES})
    target_compile_options(${name} PRIVATE ${PARAVUE_LEAN_FLAGS})
    target_link_options(${name} PRIVATE ${PARAVUE_LEAN_LINK})
  else()
    add_executable(${name} WIN32 ${prog})
  endif()
  target_compile_options(${name} PRIVATE ${PARAVUE_WARNINGS})
  target_link_libraries(${name} PRIVATE paravue_core user32 gdi32)
endforeach()
# The crash program is the program with a fault of choice: it carries its resources.
if(TARGET crasher AND PARAVUE_RESOURCES)
  target_sources(crasher PRIVATE ${PARAVUE_RESOURCES})
endif()
# The yardstick of the benchmark is shipped the way paravue.exe is: stripped.
if(TARGET minimal)
  target_link_options(minimal PRIVATE -s)
endif()

# Benchmark programs, run by scripts/bench: the real strip in-process, timed.
file(GLOB PARAVUE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*_bench.cpp)
foreach(bench ${PARAVUE_BENCHES})
  get_filename_component(name ${bench} NAME_WE)
  add_executable(${name} ${bench} ${CMAKE_SOURCE_DIR}/tests/support/OtherProgram.cpp
                 ${CMAKE_SOURCE_DIR}/tests/support/ParavueDriver.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE paravue_core psapi)
endforeach()

file(GLOB PARAVUE_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER PARAVUE_TEST_SUPPORT EXCLUDE REGEX "_prog\\.cpp$")
foreach(sub ${PARAVUE_SUBSYSTEMS})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${sub}/*_test.cpp)
  if(tests)
    add_executable(${sub}_tests ${tests} ${PARAVUE_TEST_SUPPORT})
    target_include_directories(${sub}_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${sub}_tests PRIVATE paravue_core gtest_main)
    add_test(NAME win_${sub} COMMAND ${sub}_tests)
    set_tests_properties(win_${sub} PROPERTIES TIMEOUT 600)
  endif()
endforeach()

# The end-to-end suite starts the program and the stand-in programs from its own folder.
if(TARGET e2e_tests AND TARGET paravue)
  add_dependencies(e2e_tests paravue testwins launched)
endif()
# The error tests read the program's string table and crash the crash program.
if(TARGET errors_tests AND TARGET paravue AND TARGET crasher)
  add_dependencies(errors_tests paravue crasher testwins)
endif()
