# Model operations: split/join, loading entries, a store with its durable write,
# and loading large model files.
add_executable(bench_model
  ${CMAKE_CURRENT_LIST_DIR}/bench_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../tests/model/host_platform.cpp)
target_link_libraries(bench_model PRIVATE z7model z7resources Qt6::Core benchmark::benchmark)
