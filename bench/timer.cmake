# One frame-timer step, real clock included.
find_package(benchmark REQUIRED)
add_executable(power_timer_bench ${CMAKE_CURRENT_LIST_DIR}/power_timer_bench.cpp)
target_link_libraries(power_timer_bench PRIVATE orvanta_timer benchmark::benchmark
                      benchmark::benchmark_main)
orvanta_warnings(power_timer_bench)
