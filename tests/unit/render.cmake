# The renderer's GL calls through the recording layer, without a GL context: natively and,
# in the Windows build, under wine.
set(_render_calls_sources
  ${CMAKE_CURRENT_LIST_DIR}/render_state_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/billboard_ship_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene_drawing_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_rate_overlay_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_state_cache_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_frustum_test.cpp)
if(WIN32)
  # Scene start-up loads the built-in images from the executable's resources.
  list(APPEND _render_calls_sources ${CMAKE_CURRENT_LIST_DIR}/texture_images.rc)
endif()
orvanta_add_test(render_calls_test SOURCES ${_render_calls_sources} DEPS orvanta_render)
if(WIN32)
  target_include_directories(render_calls_test PRIVATE ${PROJECT_SOURCE_DIR}/res)
endif()
