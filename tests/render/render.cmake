# Frames rendered for real on OSMesa through the saver's own start-up and frame code.
orvanta_add_test(render_pixels_test SOURCES render_pixels_test.cpp
                 DEPS orvanta_render_headless LABEL render)
# The drawing from vertex arrays against the literal drawing, picture for picture.
orvanta_add_test(drawing_identity_test SOURCES drawing_identity_test.cpp
                 DEPS orvanta_render_headless LABEL render)
