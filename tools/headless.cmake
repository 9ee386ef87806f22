# orvanta-headless: the scene without a window.
#   orvanta-headless --seed 1 --frames 600 --trace trace.jsonl
#   orvanta-headless --seed 1 --frames 600 --png frame.png --gl-log frame.gl.txt
# The option parsing, the run on the saver window and the trace writer form a library so
# that the unit tests (native and under wine) exercise them on the null surface; the
# program itself is built natively, where it draws its frames with OSMesa.
add_library(orvanta_headless_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/headless/headless_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless/headless_platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless/headless_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless/trace_json.cpp)
target_include_directories(orvanta_headless_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/headless)
target_link_libraries(orvanta_headless_core PUBLIC orvanta_saver_window orvanta_gl)
orvanta_warnings(orvanta_headless_core)

if(NOT CMAKE_CROSSCOMPILING)
  find_package(PNG REQUIRED)
  add_library(orvanta_png_writer STATIC ${CMAKE_CURRENT_LIST_DIR}/headless/png_writer.cpp)
  target_include_directories(orvanta_png_writer PUBLIC ${CMAKE_CURRENT_LIST_DIR}/headless)
  target_link_libraries(orvanta_png_writer PUBLIC PNG::PNG)
  orvanta_warnings(orvanta_png_writer)

  add_library(orvanta_headless_gl STATIC ${CMAKE_CURRENT_LIST_DIR}/headless/headless_gl_surface.cpp)
  target_link_libraries(orvanta_headless_gl
    PUBLIC orvanta_headless_core orvanta_gl_headless orvanta_png_writer)
  orvanta_warnings(orvanta_headless_gl)

  add_executable(orvanta-headless ${CMAKE_CURRENT_LIST_DIR}/headless/headless_main.cpp)
  target_link_libraries(orvanta-headless PRIVATE orvanta_headless_gl orvanta_config)
  orvanta_warnings(orvanta-headless)
endif()
