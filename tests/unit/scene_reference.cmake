# A seeded flight against the committed reference trace, field by field (the trace writer
# of orvanta-headless produces both sides).
orvanta_add_test(scene_reference_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/scene_reference_test.cpp
  DEPS orvanta_headless_core)
