// DrawBillboard and the viewer's axes.
#include "render/billboards.h"

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

namespace {

// centre + halfSize * (r * right + u * up), per component in double, rounded once.
void Corner(double x, double y, double z, double halfSize, const Vec3& right, const Vec3& up,
            double r, double u) {
  const auto along = [&](float rightPart, float upPart, double centre) {
    return static_cast<GLfloat>((r * rightPart + u * upPart) * halfSize + centre);
  };
  GL.glVertex3f(along(right.X, up.X, x), along(right.Y, up.Y, y), along(right.Z, up.Z, z));
}

}  // namespace

ViewAxes ReadViewAxes() {
  GLfloat m[16];
  GL.glGetFloatv(GL_MODELVIEW_MATRIX, m);  // column-major: row i is m[i], m[i+4], m[i+8]
  return ViewAxes{{m[0], m[4], m[8]}, {m[1], m[5], m[9]}, {m[2], m[6], m[10]}};
}

void DrawBillboard(double x, double y, double z, double halfSize, const Vec3& right,
                   const Vec3& up) {
  GL.glBegin(GL_QUADS);
  GL.glTexCoord2f(0.0f, 0.0f);
  Corner(x, y, z, halfSize, right, up, -1.0, -1.0);
  GL.glTexCoord2f(1.0f, 0.0f);
  Corner(x, y, z, halfSize, right, up, 1.0, -1.0);
  GL.glTexCoord2f(1.0f, 1.0f);
  Corner(x, y, z, halfSize, right, up, 1.0, 1.0);
  GL.glTexCoord2f(0.0f, 1.0f);
  Corner(x, y, z, halfSize, right, up, -1.0, 1.0);
  GL.glEnd();
}
