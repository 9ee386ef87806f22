# orvanta.scr: the saver as a Windows GUI program. The shell sits in a library of its own
# so that the end-to-end tests can build a variant with a failing rendering surface.
if(WIN32)
  enable_language(RC)

  orvanta_add_library(orvanta_win32_shell
    WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32/win32_text.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_input.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_application.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_dpi.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_monitors.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_cover_windows.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_saver_window.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_cfg_dialog.cpp
          ${CMAKE_CURRENT_LIST_DIR}/win32/win32_saver_process.cpp
    DEPS orvanta_saver_window orvanta_config_dialog orvanta_config orvanta_gl orvanta_textures
         orvanta_timer opengl32 gdi32 comctl32 shell32 user32)

  # The resources: the three images, version information and the manifest, the last two
  # carrying the project's version.
  set(ORVANTA_RESOURCE_DIR ${CMAKE_BINARY_DIR}/res)
  configure_file(${PROJECT_SOURCE_DIR}/res/orvanta.rc.in ${ORVANTA_RESOURCE_DIR}/orvanta.rc @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/res/orvanta.manifest.in
                 ${ORVANTA_RESOURCE_DIR}/orvanta.manifest @ONLY)
  set(ORVANTA_RESOURCES ${ORVANTA_RESOURCE_DIR}/orvanta.rc)
  set_source_files_properties(${ORVANTA_RESOURCES} PROPERTIES OBJECT_DEPENDS
    "${ORVANTA_RESOURCE_DIR}/orvanta.manifest;${PROJECT_SOURCE_DIR}/res/images.rc;${PROJECT_SOURCE_DIR}/res/meteor.tga;${PROJECT_SOURCE_DIR}/res/metal.tga;${PROJECT_SOURCE_DIR}/res/dym1.tga")

  add_executable(orvanta WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32/win32_main.cpp ${ORVANTA_RESOURCES})
  set_target_properties(orvanta PROPERTIES SUFFIX ".scr")
  target_include_directories(orvanta PRIVATE ${ORVANTA_RESOURCE_DIR} ${PROJECT_SOURCE_DIR}/res)
  target_link_libraries(orvanta PRIVATE orvanta_win32_shell)
  orvanta_warnings(orvanta)

  # The Windows end-to-end tests live with the other end-to-end tests.
  if(ORVANTA_BUILD_TESTS)
    include(${PROJECT_SOURCE_DIR}/tests/e2e/windows.cmake OPTIONAL)
  endif()
endif()
