# TGA decoding speed: the built-in images as stored, and run-length encoded.
find_package(benchmark REQUIRED)
add_executable(tga_bench ${CMAKE_CURRENT_LIST_DIR}/tga_bench.cpp)
target_include_directories(tga_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(tga_bench PRIVATE orvanta_tga benchmark::benchmark benchmark::benchmark_main)
orvanta_warnings(tga_bench)
