orvanta_add_test(saver_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/saver_window_test.cpp
  DEPS orvanta_saver_window)
if(WIN32)
  # Creation loads the built-in images from the executable's own resources.
  target_sources(saver_window_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/texture_images.rc)
  target_include_directories(saver_window_test PRIVATE ${PROJECT_SOURCE_DIR}/res)
endif()
