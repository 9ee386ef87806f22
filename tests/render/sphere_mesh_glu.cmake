# The vertex-array sphere against the system GLU's own. The test defines the GL calls GLU's
# sphere makes and exports them, so libGLU binds to them instead of a real GL.
orvanta_add_test(sphere_mesh_glu_test SOURCES sphere_mesh_glu_test.cpp
                 DEPS orvanta_render ${ORVANTA_GLU_LIBRARY} LABEL render)
set_target_properties(sphere_mesh_glu_test PROPERTIES ENABLE_EXPORTS ON)
