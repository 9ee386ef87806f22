# The settings: load/save logic and the file format everywhere, then each platform's store.
orvanta_add_test(settings_test
  SOURCES settings_test.cpp settings_file_test.cpp
  DEPS orvanta_config)
if(WIN32)
  orvanta_add_test(win32_registry_settings_store_test
    SOURCES win32_registry_settings_store_test.cpp
    DEPS orvanta_config)
else()
  orvanta_add_test(posix_file_settings_store_test
    SOURCES posix_file_settings_store_test.cpp
    DEPS orvanta_config)
endif()
