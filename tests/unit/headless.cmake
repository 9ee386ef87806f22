# orvanta-headless: its command line, its trace and whole runs of it.
orvanta_add_test(headless_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/headless_options_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/headless_trace_test.cpp
  DEPS orvanta_headless_core)
