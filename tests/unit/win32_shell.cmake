# The Windows shell's own logic under Wine. The pieces without windows run like every other
# unit test; the application loop and the dialog view need a display, so they run on a
# private Xvfb in the end-to-end tests' prefix (and, like those, one at a time).
if(WIN32)
  orvanta_add_test(win32_shell_test
    SOURCES win32_shell_test.cpp win32_input_test.cpp
    DEPS orvanta_win32_shell)

  # The saver window's tests load the built-in images from the executable's resources.
  add_executable(win32_window_test win32_window_test.cpp texture_images.rc)
  target_include_directories(win32_window_test PRIVATE ${PROJECT_SOURCE_DIR}/res)
  target_link_libraries(win32_window_test PRIVATE orvanta_win32_shell GTest::gtest GTest::gtest_main)
  orvanta_warnings(win32_window_test)
  add_test(NAME win32_window_test
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/win32_with_display.sh
                   $<TARGET_FILE:win32_window_test>)
  set_tests_properties(win32_window_test PROPERTIES
    ENVIRONMENT "ORVANTA_E2E_PREFIX=${CMAKE_BINARY_DIR}/e2e-wineprefix;ORVANTA_E2E_WORK=${CMAKE_CURRENT_BINARY_DIR}/e2e-work"
    LABELS "wine" TIMEOUT 120 RESOURCE_LOCK orvanta_wine_e2e_prefix)

  # The dialog on a scaled display (144 pixels per inch), in a prefix of its own: every box,
  # font and thumb scaled and no text cut, measured in the dialog's own process.
  add_test(NAME win32_window_test_144dpi
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/win32_with_display.sh
                   $<TARGET_FILE:win32_window_test>
                   --gtest_filter=DialogView.AtTheDisplaysDensity*)
  set_tests_properties(win32_window_test_144dpi PROPERTIES
    ENVIRONMENT "ORVANTA_E2E_PREFIX=${CMAKE_BINARY_DIR}/e2e-wineprefix-144dpi;ORVANTA_E2E_WORK=${CMAKE_CURRENT_BINARY_DIR}/e2e-work;ORVANTA_E2E_DPI=144"
    LABELS "wine" TIMEOUT 180 RESOURCE_LOCK orvanta_wine_e2e_prefix_144dpi)
endif()
