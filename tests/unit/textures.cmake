# Tests of the TGA reader, the built-in images and texture loading.
if(WIN32)
  enable_language(RC)  # the image store reads the executable's own resources
endif()

orvanta_add_test(tga_reader_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tga_reader_test.cpp
                 DEPS orvanta_tga)
orvanta_add_test(tga_allocation_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tga_allocation_test.cpp
                 DEPS orvanta_tga)

set(_texture_images_sources ${CMAKE_CURRENT_LIST_DIR}/texture_images_test.cpp)
if(WIN32)
  list(APPEND _texture_images_sources ${CMAKE_CURRENT_LIST_DIR}/texture_images.rc)
endif()
orvanta_add_test(texture_images_test SOURCES ${_texture_images_sources} DEPS orvanta_tga)
if(WIN32)
  target_include_directories(texture_images_test PRIVATE ${PROJECT_SOURCE_DIR}/res)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/texture_images.rc APPEND PROPERTY OBJECT_DEPENDS
               ${PROJECT_SOURCE_DIR}/res/images.rc ${PROJECT_SOURCE_DIR}/res/meteor.tga
               ${PROJECT_SOURCE_DIR}/res/metal.tga ${PROJECT_SOURCE_DIR}/res/dym1.tga)
endif()

orvanta_add_test(texture_loading_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/texture_loading_test.cpp
                 DEPS orvanta_textures)
if(WIN32)
  target_sources(texture_loading_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/texture_images.rc)
  target_include_directories(texture_loading_test PRIVATE ${PROJECT_SOURCE_DIR}/res)
endif()
