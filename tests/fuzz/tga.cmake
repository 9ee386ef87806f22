# libFuzzer target for the TGA reader, for clang builds of the tree (scripts/fuzz.sh builds
# and runs it). The reader is compiled into the target so that it carries the fuzzer's
# instrumentation.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND NOT CMAKE_CROSSCOMPILING)
  add_executable(tga_fuzz ${CMAKE_CURRENT_LIST_DIR}/tga_fuzz.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tga_fuzz_store.cpp ${PROJECT_SOURCE_DIR}/src/textures/tga_reader.cpp)
  orvanta_layer_include_dir(textures _textures_dir)
  orvanta_layer_include_dir(gl _gl_dir)
  target_include_directories(tga_fuzz PRIVATE ${_textures_dir} ${_gl_dir})
  target_link_libraries(tga_fuzz PRIVATE orvanta_common)
  target_compile_options(tga_fuzz PRIVATE -g -fsanitize=fuzzer,address,undefined)
  target_link_options(tga_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  orvanta_warnings(tga_fuzz)
endif()
