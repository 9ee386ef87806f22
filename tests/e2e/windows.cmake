# End-to-end tests of orvanta.scr under Wine, each on its own Xvfb display. They share one
# scratch wine prefix inside the build tree, and every test cleans up the processes it
# started. All of them hold orvanta_wine_e2e as well, so that they run one at a time: two
# Wine servers rendering at once on a small machine would make each miss its deadlines.
include_guard(GLOBAL)
if(NOT WIN32)
  return()
endif()

add_executable(orvanta_e2e_probe ${CMAKE_CURRENT_LIST_DIR}/win32_e2e_probe.cpp)
target_link_libraries(orvanta_e2e_probe PRIVATE comctl32 user32 version advapi32)
target_include_directories(orvanta_e2e_probe PRIVATE ${PROJECT_SOURCE_DIR}/tests)
orvanta_warnings(orvanta_e2e_probe)

# The saver with a surface that never finds a pixel format.
add_executable(orvanta_failing_surface WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32_failing_surface_main.cpp
               ${ORVANTA_RESOURCES})
set_target_properties(orvanta_failing_surface PROPERTIES SUFFIX ".scr")
target_include_directories(orvanta_failing_surface PRIVATE ${ORVANTA_RESOURCE_DIR} ${PROJECT_SOURCE_DIR}/res)
target_link_libraries(orvanta_failing_surface PRIVATE orvanta_win32_shell)
orvanta_warnings(orvanta_failing_surface)

# The saver reporting every frame it draws, which Wine cannot show inside a preview host.
add_executable(orvanta_reading_back WIN32
               ${CMAKE_CURRENT_LIST_DIR}/win32_reading_back_surface_main.cpp ${ORVANTA_RESOURCES})
set_target_properties(orvanta_reading_back PROPERTIES SUFFIX ".scr")
target_include_directories(orvanta_reading_back PRIVATE ${ORVANTA_RESOURCE_DIR} ${PROJECT_SOURCE_DIR}/res)
target_link_libraries(orvanta_reading_back PRIVATE orvanta_win32_shell)
orvanta_warnings(orvanta_reading_back)

# A glu32.dll that lacks the functions the saver draws with.
add_library(orvanta_stand_in_glu32 SHARED ${CMAKE_CURRENT_LIST_DIR}/stand_in_glu.c)
# In a folder of its own: beside orvanta.scr it would replace the real one for every test.
set_target_properties(orvanta_stand_in_glu32 PROPERTIES OUTPUT_NAME glu32 PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/stand-in-glu)

set(_e2e_env
  "ORVANTA_SCR=$<TARGET_FILE:orvanta>"
  "ORVANTA_FAILING_SCR=$<TARGET_FILE:orvanta_failing_surface>"
  "ORVANTA_READING_BACK_SCR=$<TARGET_FILE:orvanta_reading_back>"
  "ORVANTA_PROBE=$<TARGET_FILE:orvanta_e2e_probe>"
  "ORVANTA_STAND_IN_GLU32=$<TARGET_FILE:orvanta_stand_in_glu32>"
  "ORVANTA_E2E_PREFIX=${CMAKE_BINARY_DIR}/e2e-wineprefix"
  "ORVANTA_E2E_WORK=${CMAKE_CURRENT_BINARY_DIR}/e2e-work")

foreach(_case saver_input preview startup_errors first_run dialog context_failure missing_glu)
  add_test(NAME win32_e2e_${_case}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/win32_e2e_${_case}.sh)
  set_tests_properties(win32_e2e_${_case} PROPERTIES
    ENVIRONMENT "${_e2e_env}" LABELS "wine;e2e" TIMEOUT 120
    RESOURCE_LOCK "orvanta_wine_e2e_prefix;orvanta_wine_e2e")
endforeach()

# The dialog on a scaled display, in a prefix of its own set to 144 pixels per inch (the
# later ENVIRONMENT entry wins for the prefix).
# The installer, in a prefix of its own: what it installs stays out of the other tests' prefix.
add_test(NAME win32_e2e_installer COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/win32_e2e_installer.sh)
set_tests_properties(win32_e2e_installer PROPERTIES
  ENVIRONMENT "${_e2e_env};ORVANTA_E2E_PREFIX=${CMAKE_BINARY_DIR}/e2e-wineprefix-installer;ORVANTA_MSI=${ORVANTA_MSI};ORVANTA_NEXT_MSI=${ORVANTA_NEXT_MSI};ORVANTA_VERSION=${PROJECT_VERSION};ORVANTA_NEXT_VERSION=${ORVANTA_NEXT_VERSION}"
  LABELS "wine;e2e" TIMEOUT 300 RESOURCE_LOCK "orvanta_wine_e2e_prefix_installer;orvanta_wine_e2e")

add_test(NAME win32_e2e_dialog_dpi COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/win32_e2e_dialog_dpi.sh)
set_tests_properties(win32_e2e_dialog_dpi PROPERTIES
  ENVIRONMENT "${_e2e_env};ORVANTA_E2E_PREFIX=${CMAKE_BINARY_DIR}/e2e-wineprefix-144dpi;ORVANTA_E2E_DPI=144"
  LABELS "wine;e2e" TIMEOUT 180 RESOURCE_LOCK "orvanta_wine_e2e_prefix_144dpi;orvanta_wine_e2e")
