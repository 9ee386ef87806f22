# End-to-end tests of the Linux saver: each script starts its own Xvfb with GLX, drives it
# with xdotool, looks at screenshots, and cleans up every process it started.
include_guard(GLOBAL)
if(NOT WIN32 AND TARGET orvanta)
  find_package(X11 REQUIRED)
  add_executable(orvanta_x11_test_host ${CMAKE_CURRENT_LIST_DIR}/x11_test_host.cpp)
  target_link_libraries(orvanta_x11_test_host PRIVATE X11::X11)
  orvanta_warnings(orvanta_x11_test_host)

  # A libGLU.so.1 that lacks the functions the saver draws with, in a folder of its own.
  add_library(orvanta_stand_in_glu SHARED ${CMAKE_CURRENT_LIST_DIR}/stand_in_glu.c)
  set_target_properties(orvanta_stand_in_glu PROPERTIES OUTPUT_NAME GLU SOVERSION 1
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/stand-in-glu)

  # Every argument list XScreenSaver's settings window can write from our description.
  add_executable(orvanta_xml_arguments ${CMAKE_CURRENT_LIST_DIR}/xscreensaver_xml_arguments.cpp)
  orvanta_warnings(orvanta_xml_arguments)

  foreach(subject IN ITEMS fullscreen preview xscreensaver xscreensaver_settings bad_input
                           context_failure dialog missing_glu endings resize)
    set(script ${CMAKE_CURRENT_LIST_DIR}/x11_${subject}_test.sh)
    if(NOT EXISTS ${script})
      continue()
    endif()
    # Generous: each saver compiles its shaders anew, which on a loaded machine takes seconds.
    add_test(NAME e2e_linux_${subject} COMMAND timeout 280 bash ${script})
    set_tests_properties(e2e_linux_${subject} PROPERTIES
      LABELS "e2e"
      TIMEOUT 300
      # Several software-rendered savers at once would make each too slow for its deadlines.
      RESOURCE_LOCK orvanta_x11_e2e
      ENVIRONMENT "ORVANTA=$<TARGET_FILE:orvanta>;HOST_HELPER=$<TARGET_FILE:orvanta_x11_test_host>;STAND_IN_GLU_DIR=$<TARGET_FILE_DIR:orvanta_stand_in_glu>;XML_ARGUMENTS=$<TARGET_FILE:orvanta_xml_arguments>;SAVER_XML=${PROJECT_SOURCE_DIR}/res/orvanta.xml;ORVANTA_VERSION=${PROJECT_VERSION}")
  endforeach()
endif()

# The Debian package built, checked, installed, run and removed for real (as root only).
if(NOT WIN32 AND TARGET orvanta)
  add_test(NAME package_deb COMMAND timeout 280 bash ${PROJECT_SOURCE_DIR}/tests/package/deb_package_test.sh)
  set_tests_properties(package_deb PROPERTIES
    LABELS "package"
    TIMEOUT 300
    SKIP_RETURN_CODE 77
    # It installs into the machine and runs a saver on Xvfb: alone, like the e2e tests.
    RESOURCE_LOCK orvanta_x11_e2e
    ENVIRONMENT "BUILD_DIR=${CMAKE_BINARY_DIR};ORVANTA_VERSION=${PROJECT_VERSION};HOST_HELPER=$<TARGET_FILE:orvanta_x11_test_host>")
endif()
