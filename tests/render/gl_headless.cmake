# The entry tables bound to OSMesa draw real pixels, GLU's quadrics included.
orvanta_add_test(gl_headless_test SOURCES gl_headless_test.cpp DEPS orvanta_gl_headless LABEL render)

# The same binding in a program that wrongly links libGL ahead of OSMesa must refuse. Without
# --no-as-needed the linker would drop the unreferenced libGL and the mistake with it.
find_library(ORVANTA_TEST_LIBGL GL REQUIRED)
orvanta_add_test(gl_headless_link_order_test
  SOURCES gl_headless_link_order_test.cpp DEPS ${ORVANTA_TEST_LIBGL} orvanta_gl_headless LABEL render)
target_link_options(gl_headless_link_order_test PRIVATE -Wl,--no-as-needed)
