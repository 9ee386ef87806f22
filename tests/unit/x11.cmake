# The Linux shell's display-free pieces: X event translation, focus rules, XScreenSaver's
# options.
if(NOT WIN32 AND TARGET orvanta_x11_core)
  orvanta_add_test(x11_shell_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/x11_shell_test.cpp
    DEPS orvanta_x11_core)
endif()
