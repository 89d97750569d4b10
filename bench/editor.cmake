# The editor as the user drives it: showing every entry in turn, and a store
# from the Save button to the model file on disk (through the real Wine-prefix
# backend, durable write included).
add_executable(bench_editor ${CMAKE_CURRENT_LIST_DIR}/bench_editor.cpp)
target_link_libraries(bench_editor PRIVATE z7app z7toolkit z7resources Qt6::Test benchmark::benchmark)
