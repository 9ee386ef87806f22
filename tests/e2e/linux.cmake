# End-to-end tests of the Linux saver: each script starts its own Xvfb with GLX, drives it
# with xdotool, looks at screenshots, and cleans up every process it started.
include_guard(GLOBAL)
if(NOT WIN32 AND TARGET orvanta)
  find_package(X11 REQUIRED)
  add_executable(orvanta_x11_test_host ${CMAKE_CURRENT_LIST_DIR}/x11_test_host.cpp)
  target_link_libraries(orvanta_x11_test_host PRIVATE X11::X11)
  orvanta_warnings(orvanta_x11_test_host)

  foreach(subject IN ITEMS fullscreen preview xscreensaver bad_input context_failure dialog)
    set(script ${CMAKE_CURRENT_LIST_DIR}/x11_${subject}_test.sh)
    if(NOT EXISTS ${script})
      continue()
    endif()
    add_test(NAME e2e_linux_${subject} COMMAND timeout 100 bash ${script})
    set_tests_properties(e2e_linux_${subject} PROPERTIES
      LABELS "e2e"
      TIMEOUT 110
      # Several software-rendered savers at once would make each too slow for its deadlines.
      RESOURCE_LOCK orvanta_x11_e2e
      ENVIRONMENT "ORVANTA=$<TARGET_FILE:orvanta>;HOST_HELPER=$<TARGET_FILE:orvanta_x11_test_host>")
  endforeach()
endif()
