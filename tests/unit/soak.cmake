# The long seeded run of the scene (native only: about half a minute here, far longer
# under wine, where the ordinary scene tests cover the same code).
if(NOT CMAKE_CROSSCOMPILING)
  orvanta_add_test(scene_soak_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/soak_scene_test.cpp
    DEPS orvanta_scene
    LABEL soak
    PROPERTIES TIMEOUT 120)
endif()
