# One rendered frame at 1280 x 720 on OSMesa (llvmpipe) after 600 steps of flight at the
# default settings: time per frame and GL calls per frame.
find_package(benchmark REQUIRED)
add_executable(render_bench ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
target_link_libraries(render_bench PRIVATE orvanta_render_headless benchmark::benchmark_main)
orvanta_warnings(render_bench)
