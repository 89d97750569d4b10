# The search for the game's Wine prefix among the launchers' prefixes of a home
# folder (Linux only: Windows has no prefixes).
if(NOT WIN32)
  add_executable(bench_prefix_search ${CMAKE_CURRENT_LIST_DIR}/bench_prefix_search.cpp)
  target_link_libraries(bench_prefix_search PRIVATE z7platform Qt6::Core benchmark::benchmark)
endif()
