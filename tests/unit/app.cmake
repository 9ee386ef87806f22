# Command-line dispatch, the saver's input rules, the monitors' layout and the configuration
# dialog's model and scaling.
set(app_test_sources
    ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/saver_input_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/saver_startup_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_pacing_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monitor_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cfg_dialog_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cfg_dialog_scaling_test.cpp)
orvanta_add_test(app_test SOURCES ${app_test_sources} DEPS orvanta_app_core orvanta_config_dialog)
