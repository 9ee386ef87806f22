# The settings: load/save logic, the file format and the settings' table everywhere, then
# each platform's store.
orvanta_add_test(settings_test
  SOURCES settings_test.cpp settings_file_test.cpp settings_description_test.cpp
  DEPS orvanta_config)
# XScreenSaver's description of the settings is held against the settings' own table.
target_compile_definitions(settings_test PRIVATE
  ORVANTA_SAVER_XML="${PROJECT_SOURCE_DIR}/res/orvanta.xml")
if(WIN32)
  orvanta_add_test(win32_registry_settings_store_test
    SOURCES win32_registry_settings_store_test.cpp
    DEPS orvanta_config)
else()
  orvanta_add_test(posix_file_settings_store_test
    SOURCES posix_file_settings_store_test.cpp
    DEPS orvanta_config)
endif()
