# Runs the texture generator into OUT and fails unless every image equals the one in REF.
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "texture generator failed: ${result}")
endif()
foreach(image meteor.tga metal.tga dym1.tga)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${image} ${REF}/${image}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${image} differs from the committed res/${image}")
  endif()
endforeach()
