# Small helpers that keep the per-folder CMakeLists short.

# Warnings on for our own code only, and clang-tidy in the tidy preset.
function(orvanta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ORVANTA_CLANG_TIDY)
    set_target_properties(${target} PROPERTIES CXX_CLANG_TIDY "clang-tidy;--quiet")
  endif()
endfunction()

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
  orvanta_layer_include_dir(${ARG_LAYER} layer_dir)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${layer_dir})
  target_link_libraries(${name} PUBLIC orvanta_common ${ARG_DEPS})
  orvanta_warnings(${name})
endfunction()

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
