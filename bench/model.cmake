# Model operations: split/join, loading entries, a store with its durable write
# (through the real Wine-prefix backend), and loading large model files.
add_executable(bench_model ${CMAKE_CURRENT_LIST_DIR}/bench_model.cpp)
target_link_libraries(bench_model PRIVATE z7model z7platform z7resources Qt6::Core benchmark::benchmark)
