# UpdateScene per step in a steady state, at the default settings and at the dialog's
# maximum.
find_package(benchmark REQUIRED)
add_executable(scene_bench ${CMAKE_CURRENT_LIST_DIR}/scene_bench.cpp)
target_link_libraries(scene_bench PRIVATE orvanta_scene benchmark::benchmark_main)
orvanta_warnings(scene_bench)
