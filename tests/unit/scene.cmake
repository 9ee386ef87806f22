# The scene simulation: generator, start-up, spawners and the frame step.
orvanta_add_test(scene_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/scene_random_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scene_init_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scene_spawn_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scene_update_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scene_draw_edges_test.cpp
  DEPS orvanta_scene)
