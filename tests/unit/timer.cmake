# The frame timer with a hand-moved clock, its allocation-free step, and the real clock; the
# cost of drawn frames.
orvanta_add_test(power_timer_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/power_timer_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/power_timer_alloc_test.cpp
  DEPS orvanta_timer)
orvanta_add_test(frame_clock_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_clock_test.cpp
  DEPS orvanta_timer)
orvanta_add_test(frame_cost_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_cost_test.cpp
  DEPS orvanta_timer)
