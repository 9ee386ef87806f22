# The Linux shell's display-free pieces: X event translation, focus rules, XScreenSaver's
# options, the choice of swap-interval extension.
if(NOT WIN32 AND TARGET orvanta_x11_core)
  orvanta_add_test(x11_shell_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/x11_shell_test.cpp
    DEPS orvanta_x11_core)
  target_compile_definitions(x11_shell_test PRIVATE ORVANTA_VERSION="${PROJECT_VERSION}")
endif()
