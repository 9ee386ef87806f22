# The Linux saver `orvanta`: X11 + GLX saver window, GTK 3 dialog and message boxes, and its
# place in XScreenSaver. Native builds only.
if(NOT WIN32)
  find_package(X11 REQUIRED)
  find_package(OpenGL REQUIRED COMPONENTS GLX)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)

  # The X11 pieces that need no display to test: event translation, focus rules, options.
  orvanta_add_library(orvanta_x11_core
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/x11/x11_application.cpp
            ${CMAKE_CURRENT_LIST_DIR}/x11/x11_input.cpp
            ${CMAKE_CURRENT_LIST_DIR}/x11/x11_screensaver_options.cpp
    DEPS orvanta_app_core orvanta_config_dialog orvanta_gl_x11 X11::X11)
  # --version prints the one version number, the project's.
  target_compile_definitions(orvanta_x11_core PRIVATE ORVANTA_VERSION="${PROJECT_VERSION}")

  add_executable(orvanta
    ${CMAKE_CURRENT_LIST_DIR}/x11/x11_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/x11/x11_errors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/x11/x11_ending_watch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/x11/x11_saver_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/x11/x11_glx_surface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gtk/gtk_message_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gtk/gtk_cfg_dialog.cpp)
  # GLX context creation links libGL; every GL drawing call still goes through the entry
  # tables, loaded from the same library at start-up.
  target_link_libraries(orvanta PRIVATE orvanta_x11_core orvanta_saver_window
    orvanta_config_dialog OpenGL::GLX OpenGL::OpenGL PkgConfig::GTK3 ${CMAKE_DL_LIBS})
  orvanta_warnings(orvanta)

  include(GNUInstallDirs)
  install(TARGETS orvanta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # XScreenSaver looks for its savers here, and for their option descriptions beside its
  # own configuration.
  install(TARGETS orvanta RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
  install(FILES ${PROJECT_SOURCE_DIR}/res/orvanta.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
endif()

# The end-to-end tests need the program's target; they guard against being included twice,
# so tests/e2e may include them as well.
if(NOT WIN32 AND ORVANTA_BUILD_TESTS)
  include(${PROJECT_SOURCE_DIR}/tests/e2e/linux.cmake OPTIONAL)
endif()
