# The scene's invariants, shared by the long soak and the unit test's short flight, and the
# soak program that bench/soak.sh runs.
add_library(orvanta_scene_invariants STATIC ${CMAKE_CURRENT_LIST_DIR}/scene_invariants.cpp)
target_include_directories(orvanta_scene_invariants PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanta_scene_invariants PUBLIC orvanta_scene)
orvanta_warnings(orvanta_scene_invariants)

add_executable(scene_soak ${CMAKE_CURRENT_LIST_DIR}/scene_soak.cpp)
target_link_libraries(scene_soak PRIVATE orvanta_scene_invariants)
orvanta_warnings(scene_soak)
