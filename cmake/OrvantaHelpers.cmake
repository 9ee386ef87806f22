# Small helpers that keep the per-folder CMakeLists short.

# Warnings on for our own code only.
function(orvanta_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# orvanta_add_library(name SOURCES a.cpp ... POSIX posix_x.cpp ... WIN32 win32_x.cpp ...
#                     DEPS other_targets ...)
# COMMON sources build everywhere; POSIX ones only in the native Linux build, WIN32
# ones only in the MinGW build.
function(orvanta_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;POSIX;WIN32;DEPS" ${ARGN})
  set(srcs ${ARG_SOURCES})
  if(WIN32)
    list(APPEND srcs ${ARG_WIN32})
  else()
    list(APPEND srcs ${ARG_POSIX})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  orvanta_warnings(${name})
endfunction()

# orvanta_add_test(name SOURCES ... DEPS ...): one GoogleTest executable. Natively its
# cases are discovered one by one; in the Windows build the whole executable is one
# CTest entry run under wine (one wine start per executable keeps the run short).
function(orvanta_add_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;DEPS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  orvanta_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "wine" TIMEOUT 300)
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABEL}" ${ARG_PROPERTIES})
  endif()
endfunction()
