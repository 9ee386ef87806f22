# orvanta-texture-generator: rebuilds res/meteor.tga, res/metal.tga and res/dym1.tga.
#   ninja orvanta-texture-generator && ./orvanta-texture-generator res/
# The test below proves that the committed images are exactly what the generator makes.
if(NOT CMAKE_CROSSCOMPILING)
  add_executable(orvanta-texture-generator ${CMAKE_CURRENT_LIST_DIR}/texture_generator/texture_generator.cpp)
  orvanta_warnings(orvanta-texture-generator)

  set(_generated ${CMAKE_BINARY_DIR}/texture_generator_check)
  add_test(NAME TextureGenerator.ReproducesCommittedImages
           COMMAND ${CMAKE_COMMAND} -DGENERATOR=$<TARGET_FILE:orvanta-texture-generator>
                   -DOUT=${_generated} -DREF=${PROJECT_SOURCE_DIR}/res
                   -P ${CMAKE_CURRENT_LIST_DIR}/texture_generator/compare_output.cmake)
endif()
