# Start-up of both programs against their floors, measured from outside
# (bench/startup.py): `cmake --build <dir> --target bench_startup`. The Linux
# half runs z7edit against a bare Qt window; the Windows half, when the Windows
# build holds z7edit.exe, runs it under Wine against a bare Win32 window.
if(WIN32)
  # The yardstick of the Windows half: a bare window with one label and one
  # edit, under the editor's manifest.
  add_executable(bench_bare_window WIN32 bare_window_win.cpp bare_window_win.rc)
  target_include_directories(bench_bare_window PRIVATE
    $<$<COMPILE_LANGUAGE:RC>:${PROJECT_SOURCE_DIR}/resources/windows>)
  set_property(SOURCE bare_window_win.rc APPEND PROPERTY
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/windows/z7edit.en.manifest)
  target_link_options(bench_bare_window PRIVATE -municode)
  target_link_libraries(bench_bare_window PRIVATE gdi32 z7_common)
  return()
endif()

find_package(Python3 REQUIRED COMPONENTS Interpreter)

add_executable(bench_bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(bench_bare_window PRIVATE Qt6::Widgets z7_common)

set(Z7_WINDOWS_BUILD ${PROJECT_SOURCE_DIR}/build-windows CACHE PATH
    "The Windows build (scripts/build-windows) whose z7edit.exe bench_startup measures")

add_custom_target(bench_startup
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset"
          ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/startup.py
          --z7edit $<TARGET_FILE:z7edit>
          --bare $<TARGET_FILE:bench_bare_window>
          --source ${PROJECT_SOURCE_DIR}
          --windows-build ${Z7_WINDOWS_BUILD}
  DEPENDS z7edit bench_bare_window
  USES_TERMINAL
  COMMENT "Start-up of z7edit and z7edit.exe against bare windows")
