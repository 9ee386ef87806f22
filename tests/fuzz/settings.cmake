# libFuzzer target for the settings file parser. Built only with clang, natively; the parser
# is compiled into the target so that it carries the fuzzer's instrumentation.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND NOT CMAKE_CROSSCOMPILING)
  add_executable(settings_file_fuzz ${CMAKE_CURRENT_LIST_DIR}/settings_file_fuzz.cpp
    ${PROJECT_SOURCE_DIR}/src/config/settings_file.cpp)
  orvanta_layer_include_dir(config _config_dir)
  target_include_directories(settings_file_fuzz PRIVATE ${_config_dir})
  target_compile_options(settings_file_fuzz PRIVATE -g -fsanitize=fuzzer,address,undefined)
  target_link_options(settings_file_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  orvanta_warnings(settings_file_fuzz)
endif()
