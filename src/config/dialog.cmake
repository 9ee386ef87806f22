# The configuration dialog's portable model, shared by the GTK and Win32 views.
orvanta_add_library(orvanta_config_dialog
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cfg_dialog_model.cpp ${CMAKE_CURRENT_LIST_DIR}/cfg_dialog_scaling.cpp)
