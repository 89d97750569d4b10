# The CPU a selection in the catalogue costs both programs, per group and per
# entry (bench/show.py): `cmake --build <dir> --target bench_show`. Give an
# older build in Z7_SHOW_BASELINE or Z7_SHOW_WINDOWS_BASELINE to walk it in
# turns with this one.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(Z7_WINDOWS_BUILD ${PROJECT_SOURCE_DIR}/build-windows CACHE PATH
    "The Windows build (scripts/build-windows) whose z7edit.exe bench_startup measures")
set(Z7_SHOW_BASELINE "" CACHE FILEPATH "An older z7edit that bench_show walks beside this one")
set(Z7_SHOW_WINDOWS_BASELINE "" CACHE FILEPATH
    "An older z7edit.exe that bench_show walks beside this one")

add_custom_target(bench_show
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset"
          ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/show.py
          --source ${PROJECT_SOURCE_DIR}
          --z7edit $<TARGET_FILE:z7edit>
          $<$<BOOL:${Z7_SHOW_BASELINE}>:--baseline=${Z7_SHOW_BASELINE}>
          --windows-exe ${Z7_WINDOWS_BUILD}/z7edit.exe
          $<$<BOOL:${Z7_SHOW_WINDOWS_BASELINE}>:--windows-baseline=${Z7_SHOW_WINDOWS_BASELINE}>
  DEPENDS z7edit
  USES_TERMINAL
  COMMENT "CPU per selection of z7edit and z7edit.exe, groups against entries")
