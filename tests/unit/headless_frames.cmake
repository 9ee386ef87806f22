# orvanta-headless's drawing options and when a run draws, with a stand-in for OSMesa.
orvanta_add_test(headless_frames_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/headless_frames_test.cpp DEPS orvanta_headless_core)
if(WIN32)
  # As in headless_test: the saver window's creation reads the built-in images.
  target_sources(headless_frames_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/texture_images.rc)
  target_include_directories(headless_frames_test PRIVATE ${PROJECT_SOURCE_DIR}/res)
endif()
