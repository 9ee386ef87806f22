// A program that links libGL ahead of OSMesa would draw nothing at all, silently: its GL
// calls and GLU's would all reach a GL without a context. The binding must refuse instead.
#include <gtest/gtest.h>

#include <stdexcept>

#include "gl/gl_entries.h"
#include "gl/headless_gl_binding.h"

namespace {

TEST(OsMesaLinkOrder, BindingRefusesWhenLibGLComesFirst) {
  EXPECT_THROW(BindOsMesaEntries(), std::runtime_error);
  EXPECT_EQ(GL.glEnable, nullptr);
  EXPECT_EQ(GLu.gluSphere, nullptr);
}

}  // namespace
