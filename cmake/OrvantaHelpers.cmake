# Small helpers that keep the per-folder CMakeLists short.

# Warnings on for our own code only, and clang-tidy in the tidy preset.
function(orvanta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ORVANTA_CLANG_TIDY)
    set_target_properties(${target} PROPERTIES CXX_CLANG_TIDY "clang-tidy;--quiet")
  endif()
endfunction()

# The layer rules, from cmake/layers.txt: ORVANTA_LAYERS lists the layers bottom up and
# ORVANTA_LAYER_USES_<layer> the layers each may use besides itself. A layer may use only
# layers listed above its own line, so the dependencies point down.
set(ORVANTA_LAYER_FILE ${CMAKE_CURRENT_LIST_DIR}/layers.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ORVANTA_LAYER_FILE})
file(STRINGS ${ORVANTA_LAYER_FILE} _orvanta_layer_rules REGEX "^[a-z0-9_]+:")
set(ORVANTA_LAYERS "")
foreach(rule IN LISTS _orvanta_layer_rules)
  string(REGEX MATCH "^([a-z0-9_]+):(.*)$" _ "${rule}")
  set(_layer ${CMAKE_MATCH_1})
  separate_arguments(_uses UNIX_COMMAND "${CMAKE_MATCH_2}")
  foreach(used IN LISTS _uses)
    if(NOT used IN_LIST ORVANTA_LAYERS)
      message(FATAL_ERROR "${ORVANTA_LAYER_FILE}: ${_layer} may use only layers listed above "
                          "it, not ${used}")
    endif()
  endforeach()
  list(APPEND ORVANTA_LAYERS ${_layer})
  set(ORVANTA_LAYER_USES_${_layer} ${_uses})
endforeach()

# The layers' headers are reached as "<layer>/<file>.h". Each layer has a folder in the build
# tree that holds nothing but a link named after the layer, and a target's include path is
# that folder for its own layer plus those of the targets it links. An include from a layer
# the target does not declare therefore fails to compile.
function(orvanta_layer_include_dir layer out)
  set(dir ${CMAKE_BINARY_DIR}/layers/${layer})
  if(NOT IS_SYMLINK ${dir}/${layer})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${dir}/${layer} SYMBOLIC)
  endif()
  set(${out} ${dir} PARENT_SCOPE)
endfunction()

# orvanta_add_library(name [LAYER layer] SOURCES a.cpp ... POSIX posix_x.cpp ...
#                     WIN32 win32_x.cpp ... DEPS other_targets ...)
# SOURCES build everywhere; POSIX ones only in the native Linux build, WIN32 ones only in
# the MinGW build. LAYER defaults to the folder of the calling CMakeLists.txt under src/.
function(orvanta_add_library name)
  cmake_parse_arguments(ARG "" "LAYER" "SOURCES;POSIX;WIN32;DEPS" ${ARGN})
  set(srcs ${ARG_SOURCES})
  if(WIN32)
    list(APPEND srcs ${ARG_WIN32})
  else()
    list(APPEND srcs ${ARG_POSIX})
  endif()
  if(NOT ARG_LAYER)
    get_filename_component(ARG_LAYER ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  if(NOT ARG_LAYER IN_LIST ORVANTA_LAYERS)
    message(FATAL_ERROR "${name}: ${ARG_LAYER} is not one of the layers of ${ORVANTA_LAYER_FILE}")
  endif()
  orvanta_layer_include_dir(${ARG_LAYER} layer_dir)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${layer_dir})
  target_link_libraries(${name} PUBLIC orvanta_common ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES ORVANTA_LAYER ${ARG_LAYER})
  set_property(GLOBAL APPEND PROPERTY ORVANTA_LAYERED_TARGETS ${name})
  orvanta_warnings(${name})
endfunction()

# The targets of ours that `target` links, directly or through others of ours.
function(_orvanta_reached_targets target out)
  set(reached "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(links ${current} LINK_LIBRARIES)
    get_target_property(interface_links ${current} INTERFACE_LINK_LIBRARIES)
    foreach(item IN LISTS links interface_links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      if(NOT TARGET "${item}" OR item IN_LIST reached)
        continue()
      endif()
      get_target_property(item_layer ${item} ORVANTA_LAYER)
      if(item_layer)
        list(APPEND reached ${item})
        list(APPEND pending ${item})
      endif()
    endforeach()
  endwhile()
  set(${out} ${reached} PARENT_SCOPE)
endfunction()

# Once every target exists: a library of a layer may reach only libraries of its own layer
# and of the layers cmake/layers.txt lets it use. Its include path is made of exactly those,
# so the rules hold for every include it compiles.
function(_orvanta_check_layers)
  get_property(targets GLOBAL PROPERTY ORVANTA_LAYERED_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(layer ${target} ORVANTA_LAYER)
    _orvanta_reached_targets(${target} reached)
    foreach(used IN LISTS reached)
      get_target_property(used_layer ${used} ORVANTA_LAYER)
      if(NOT used_layer STREQUAL layer AND NOT used_layer IN_LIST ORVANTA_LAYER_USES_${layer})
        message(SEND_ERROR "${target} of the ${layer} layer links ${used} of the ${used_layer} "
                           "layer, which ${ORVANTA_LAYER_FILE} does not let ${layer} use")
      endif()
    endforeach()
  endforeach()
endfunction()
cmake_language(DEFER CALL _orvanta_check_layers)

# orvanta_add_test(name SOURCES ... DEPS ...): one GoogleTest executable. Natively its
# cases are discovered one by one; in the Windows build the whole executable is one
# CTest entry run under wine (one wine start per executable keeps the run short).
function(orvanta_add_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;DEPS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Expected data lives in tests/data, named by the test that reads it.
  target_compile_definitions(${name} PRIVATE ORVANTA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  orvanta_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "wine" TIMEOUT 300)
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABEL}" ${ARG_PROPERTIES})
  endif()
endfunction()
