# Tests of src/gl: the recording layer, library loading (against Mesa natively, against
# wine's opengl32.dll and glu32.dll in the Windows build), the constants and FP masking.
orvanta_add_test(gl_recording_test SOURCES gl_recording_test.cpp DEPS orvanta_gl)
orvanta_add_test(gl_library_test SOURCES gl_library_test.cpp DEPS orvanta_gl)
orvanta_add_test(gl_constants_test
  SOURCES gl_constants_test.cpp gl_constants_reference.cpp DEPS orvanta_gl)
target_compile_definitions(gl_constants_test PRIVATE
  ORVANTA_GL_CONSTANTS_HEADER="${PROJECT_SOURCE_DIR}/src/gl/gl_constants.h")
orvanta_add_test(gl_fpu_test SOURCES gl_fpu_test.cpp DEPS orvanta_gl)
orvanta_add_test(gl_swap_control_test SOURCES gl_swap_control_test.cpp DEPS orvanta_gl)
