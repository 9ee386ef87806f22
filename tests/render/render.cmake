# Frames rendered for real on OSMesa through the saver's own start-up and frame code.
orvanta_add_test(render_pixels_test SOURCES render_pixels_test.cpp
                 DEPS orvanta_render_offscreen LABEL render)
