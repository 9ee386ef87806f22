# orvanta-headless's drawing options and when a run draws, with a stand-in for OSMesa.
orvanta_add_test(headless_frames_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/headless_frames_test.cpp DEPS orvanta_headless_core)
