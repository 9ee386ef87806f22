orvanta_add_test(saver_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/saver_window_test.cpp
  DEPS orvanta_saver_window)
