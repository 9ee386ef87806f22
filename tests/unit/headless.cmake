# orvanta-headless: its command line, its trace and whole runs of it.
orvanta_add_test(headless_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/headless_options_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/headless_trace_test.cpp
  DEPS orvanta_headless_core)
if(WIN32)
  # A run creates the saver window, which loads the built-in images from the executable's
  # own resources.
  target_sources(headless_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/texture_images.rc)
  target_include_directories(headless_test PRIVATE ${PROJECT_SOURCE_DIR}/res)
endif()
