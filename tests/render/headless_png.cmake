# orvanta-headless drawing with OSMesa: PNG pictures, GL logs and their determinism.
orvanta_add_test(headless_png_test SOURCES headless_png_test.cpp
                 DEPS orvanta_headless_gl orvanta_render_headless LABEL render)
