# The scene's invariants: a short flight and a spoiled scene in the fast tests, and the long
# seeded run (native only: about half a minute here, far longer under wine, where the
# ordinary scene tests cover the same code). The invariants live with the soak in bench/.
if(NOT CMAKE_CROSSCOMPILING)
  orvanta_add_test(scene_invariants_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/scene_invariants_test.cpp
    DEPS orvanta_scene_invariants)
  orvanta_add_test(scene_soak_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/soak_scene_test.cpp
    DEPS orvanta_scene_invariants
    LABEL soak
    PROPERTIES TIMEOUT 120)
endif()
