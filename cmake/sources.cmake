# What is built: every source file, one a line, in exactly one list. A file in
# no list is not built; configuring stops on a source file that nobody listed.

# Portable logic (no <windows.h>): built into the program and natively, where
# its tests run under the sanitizers.
set(PARAVUE_PORTABLE_SOURCES
  src/app/FullScreen.cpp
  src/app/Placement.cpp
  src/errors/err.cpp
  src/errors/Utf8.cpp
  src/launch/LaunchList.cpp
  src/launch/LaunchListFile.cpp
  src/launch/LaunchReport.cpp
  src/launch/ListDocument.cpp
  src/launch/ListForm.cpp
  src/launch/ListText.cpp
  src/screens/Eligibility.cpp
  src/screens/HiddenRecord.cpp
  src/screens/InputChoice.cpp
  src/screens/MoveCaptions.cpp
  src/screens/PendingStates.cpp
  src/screens/ScreenModel.cpp
  src/screens/TickDelay.cpp
  src/screens/WindowGroups.cpp
  src/settings/HotkeyText.cpp
  src/settings/MiniReg.cpp
  src/settings/Settings.cpp
  src/settings/StartWithWindows.cpp
  src/settings/Transparency.cpp
  src/settings/WindowRules.cpp
  src/ui/LayoutRules.cpp
  src/ui/MenuRules.cpp
  src/ui/Object.cpp
  src/ui/ObjectList.cpp
  src/ui/Services.cpp
  src/ui/StringList.cpp
)

# Code that calls Win32: built for Windows only.
set(PARAVUE_WIN32_SOURCES
  src/app/AttentionSign_win.cpp
  src/app/MainInteraction_win.cpp
  src/app/Placement_win.cpp
  src/app/SingleInstance_win.cpp
  src/app/StripCommands_win.cpp
  src/app/StripPlacement_win.cpp
  src/app/Unit1_win.cpp
  src/errors/err_win.cpp
  src/errors/MessageBox_win.cpp
  src/errors/WinValues_win.cpp
  src/errors/Wide_win.cpp
  src/launch/LaunchList_win.cpp
  src/launch/ShellExecute_win.cpp
  src/launch/Unit2_win.cpp
  src/screens/HiddenRecord_win.cpp
  src/screens/ProgramRules_win.cpp
  src/screens/QuitRestore_win.cpp
  src/screens/ScreenLists_win.cpp
  src/screens/Switching_win.cpp
  src/screens/WindowCommands_win.cpp
  src/screens/WindowMenu_win.cpp
  src/settings/MiniReg_win.cpp
  src/settings/Settings_win.cpp
  src/settings/StartWithWindows_win.cpp
  src/settings/ToolTip1_win.cpp
  src/settings/Transparency_win.cpp
  src/settings/WindowRules_win.cpp
  src/ui/Control_win.cpp
  src/ui/GraphicTool_win.cpp
  src/ui/Menu_win.cpp
  src/ui/Services_win.cpp
  src/ui/StringList_win.cpp
  src/ui/Timer_win.cpp
  src/ui/WindowCreation_win.cpp
  src/ui/WindowProc_win.cpp
)

# paravue.exe's own entry; the test suites link the rest without it.
set(PARAVUE_ENTRY_SOURCES
  src/app/main.cpp
)
# The companion program for making launch lists, a program of its own.
set(PARAVUE_KINDLET_SOURCES
  src/kindlet/FileWrite_win.cpp
  src/kindlet/Kindlet_win.cpp
  src/kindlet/kindlet.rc
)
# The program's resources: icon, version and the error texts.
set(PARAVUE_RESOURCES
  src/app/paravue.rc
)
# The resource compiler does not report the files the script takes in whole.
set_source_files_properties(src/app/paravue.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/app/paravue.ico;${CMAKE_SOURCE_DIR}/src/ui/paravue.manifest")

# The light stand-ins for parts of the C++ runtime (option PARAVUE_LEAN_RUNTIME).
set(PARAVUE_RUNTIME_SOURCES
  src/runtime/LeanRuntime_win.cpp
  src/runtime/LeanStart_win.cpp
  src/runtime/LeanThreads_win.cpp
)

# Tests. A test file's folder names its suite. Portable tests run natively and
# under Wine; Win32 tests under Wine only.
set(PARAVUE_PORTABLE_TESTS
  tests/app/FullScreen_test.cpp
  tests/app/Placement_test.cpp
  tests/errors/err_test.cpp
  tests/errors/Utf8_test.cpp
  tests/launch/LaunchList_test.cpp
  tests/launch/LaunchListFile_test.cpp
  tests/launch/LaunchReport_test.cpp
  tests/launch/ListDocument_test.cpp
  tests/launch/ListText_test.cpp
  tests/screens/AttentionSign_test.cpp
  tests/screens/Eligibility_test.cpp
  tests/screens/HiddenRecord_test.cpp
  tests/screens/InputChoice_test.cpp
  tests/screens/MoveCaptions_test.cpp
  tests/screens/PendingStates_test.cpp
  tests/screens/ScreenModel_test.cpp
  tests/screens/TickDelay_test.cpp
  tests/screens/WindowGroups_test.cpp
  tests/settings/HotkeyText_test.cpp
  tests/settings/MiniReg_test.cpp
  tests/settings/Settings_test.cpp
  tests/settings/StartWithWindows_test.cpp
  tests/settings/Transparency_test.cpp
  tests/settings/WindowRules_test.cpp
  tests/ui/LayoutRules_test.cpp
  tests/ui/MenuRules_test.cpp
  tests/ui/ObjectList_test.cpp
  tests/ui/Object_test.cpp
  tests/ui/Services_test.cpp
)
set(PARAVUE_WIN32_TESTS
  tests/app/Placement_win_test.cpp
  tests/e2e/AttentionSign_win_test.cpp
  tests/e2e/Paravue_win_test.cpp
  tests/e2e/Desktop_win_test.cpp
  tests/e2e/DpiAndSettings_win_test.cpp
  tests/e2e/Groups_win_test.cpp
  tests/e2e/Kindlet_win_test.cpp
  tests/e2e/Reliability_win_test.cpp
  tests/e2e/Rules_win_test.cpp
  tests/e2e/Screens_win_test.cpp
  tests/e2e/Fixture_win_test.cpp
  tests/e2e/Unicode_win_test.cpp
  tests/errors/Crash_win_test.cpp
  tests/errors/Format_win_test.cpp
  tests/errors/Report_win_test.cpp
  tests/errors/Texts_win_test.cpp
  tests/errors/Wide_win_test.cpp
  tests/launch/LaunchList_win_test.cpp
  tests/launch/ShellExecute_win_test.cpp
  tests/runtime/LeanRuntime_win_test.cpp
  tests/screens/HiddenRecord_win_test.cpp
  tests/screens/ScreenLists_win_test.cpp
  tests/screens/Switching_win_test.cpp
  tests/screens/TickDelay_win_test.cpp
  tests/screens/WindowCommands_win_test.cpp
  tests/screens/WindowMenu_win_test.cpp
  tests/settings/Registry_win_test.cpp
  tests/settings/ToolTip1_win_test.cpp
  tests/settings/Transparency_win_test.cpp
  tests/strip/Strip_win_test.cpp
  tests/strip/StripDesktop_win_test.cpp
  tests/strip/StripRestore_win_test.cpp
  tests/strip/StripSwitch_win_test.cpp
  tests/strip/StripWindowMenu_win_test.cpp
  tests/ui/Construction_win_test.cpp
  tests/ui/Dispatch_win_test.cpp
  tests/ui/Input_win_test.cpp
  tests/ui/Menu_win_test.cpp
  tests/ui/Services_win_test.cpp
  tests/ui/TimerModal_win_test.cpp
  tests/ui/Unhandled_win_test.cpp
)
# Shared by the Windows test suites.
set(PARAVUE_TEST_SUPPORT
  tests/support/ChildProcess.cpp
  tests/support/OtherProgram.cpp
  tests/support/ParavueDriver.cpp
  tests/support/SettingsKey.cpp
)
# Programs the tests start, each from tests/support/<name>_prog.cpp.
set(PARAVUE_TEST_PROGRAMS
  crasher
  launched
  leancheck
  minimal
  testwins
  uidemo
  winlist
)
# Benchmark programs, run by scripts/bench.
set(PARAVUE_BENCHES
  tests/bench/paravue_bench.cpp
)
# libFuzzer targets for the parsers.
set(PARAVUE_FUZZERS
  tests/fuzz/HotkeyText_fuzz.cpp
  tests/fuzz/LaunchLine_fuzz.cpp
  tests/fuzz/LaunchListWriter_fuzz.cpp
  tests/fuzz/ListDocument_fuzz.cpp
  tests/fuzz/ListText_fuzz.cpp
  tests/fuzz/HiddenRecord_fuzz.cpp
  tests/fuzz/MoveCaption_fuzz.cpp
  tests/fuzz/TextLines_fuzz.cpp
  tests/fuzz/WindowRules_fuzz.cpp
)

# The soak run (scripts/soak): the real program against a model, Windows only.
set(PARAVUE_SOAK tests/soak/soak.cpp)

# A source file left out of every list would silently not be built (a test
# would silently not run): say so at once.
set(listed ${PARAVUE_PORTABLE_SOURCES} ${PARAVUE_WIN32_SOURCES} ${PARAVUE_ENTRY_SOURCES}
    ${PARAVUE_KINDLET_SOURCES} ${PARAVUE_RUNTIME_SOURCES} ${PARAVUE_PORTABLE_TESTS} ${PARAVUE_WIN32_TESTS}
    ${PARAVUE_TEST_SUPPORT} ${PARAVUE_BENCHES} ${PARAVUE_FUZZERS} ${PARAVUE_SOAK})
foreach(name ${PARAVUE_TEST_PROGRAMS})
  list(APPEND listed tests/support/${name}_prog.cpp)
endforeach()
file(GLOB_RECURSE present RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.cpp)
list(REMOVE_ITEM present ${listed})
if(present)
  list(JOIN present " " unlisted)
  message(FATAL_ERROR "Not in any list of cmake/sources.cmake: ${unlisted}")
endif()
