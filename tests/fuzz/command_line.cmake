# libFuzzer target for the command line: the Windows-style modes and XScreenSaver's options.
# Built only with clang, natively; the parsers are compiled into the target so that they
# carry the fuzzer's instrumentation.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND NOT CMAKE_CROSSCOMPILING)
  add_executable(command_line_fuzz ${CMAKE_CURRENT_LIST_DIR}/command_line_fuzz.cpp
    ${PROJECT_SOURCE_DIR}/src/app/command_line.cpp
    ${PROJECT_SOURCE_DIR}/src/app/x11/x11_screensaver_options.cpp
    ${PROJECT_SOURCE_DIR}/src/config/cfg_dialog_model.cpp)
  orvanta_layer_include_dir(app _app_dir)
  orvanta_layer_include_dir(config _config_dir)
  target_include_directories(command_line_fuzz PRIVATE ${_app_dir} ${_config_dir})
  target_link_libraries(command_line_fuzz PRIVATE orvanta_common)
  target_compile_definitions(command_line_fuzz PRIVATE ORVANTA_VERSION="${PROJECT_VERSION}")
  target_compile_options(command_line_fuzz PRIVATE -g -fsanitize=fuzzer,address,undefined)
  target_link_options(command_line_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  orvanta_warnings(command_line_fuzz)
endif()
