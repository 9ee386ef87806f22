// InitGL, the quadric, the fixed render state and ResizeGL.
#include "render/render_state.h"

#include <utility>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"
#include "textures/textures.h"

namespace {

// Floating-point aspect of the client area; a zero height is taken as one pixel so the
// aspect stays finite.
double AspectRatio(int32_t width, int32_t height) {
  return static_cast<double>(width) / static_cast<double>(height == 0 ? 1 : height);
}

}  // namespace

void InitGL(int32_t width, int32_t height) {
  GL.glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  GL.glClearDepth(1.0);
  GL.glEnable(GL_DEPTH_TEST);
  GL.glDepthFunc(GL_LEQUAL);
  GL.glMatrixMode(GL_PROJECTION);
  GL.glLoadIdentity();
  GLu.gluPerspective(kInitialFieldOfView, AspectRatio(width, height), kNearPlane, kInitialFarPlane);
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glLoadIdentity();
  GL.glShadeModel(GL_SMOOTH);
}

GLUquadric* CreateQuadric() {
  GLUquadric* quadric = GLu.gluNewQuadric();
  if (quadric == nullptr) throw RenderError("Could not create the GLU quadric");
  return quadric;
}

void DeleteQuadric(GLUquadric* quadric) {
  GLu.gluDeleteQuadric(quadric);
}

void SetFixedRenderState() {
  static constexpr GLfloat kFogColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  GL.glEnable(GL_FOG);
  // Start and end are kept in the state but play no part in exponential fog.
  GL.glFogf(GL_FOG_START, 500.0f);
  GL.glFogf(GL_FOG_END, 980.0f);
  GL.glFogi(GL_FOG_MODE, static_cast<GLint>(GL_EXP));
  GL.glFogf(GL_FOG_DENSITY, 0.0015f);
  GL.glFogfv(GL_FOG_COLOR, kFogColour);
  GL.glHint(GL_FOG_HINT, GL_FASTEST);
  // Blending itself stays off; the translucent passes switch it on.
  GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  GL.glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  GL.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
}

void ResizeGL(int32_t width, int32_t height, double flightSpeed) {
  if (height == 0) height = 1;
  GL.glViewport(0, 0, width, height);
  GL.glMatrixMode(GL_PROJECTION);
  GL.glLoadIdentity();
  GLu.gluPerspective(kBaseFieldOfView + flightSpeed, AspectRatio(width, height), kNearPlane,
                     kFarPlane);
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glLoadIdentity();
}

SceneInitHooks RenderInitHooks(MessageSink report) {
  SceneInitHooks hooks;
  hooks.LoadTextures = [report = std::move(report)] { LoadSceneTextures(report); };
  hooks.SetFixedRenderState = SetFixedRenderState;
  return hooks;
}
