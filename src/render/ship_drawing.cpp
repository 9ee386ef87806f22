// The ship, drawn in its own frame: a flattened cone of a hull with fins, wing and pods
// reflecting the metal image, a glass canopy, two engines and their flickering flames.
#include <cmath>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"
#include "render/scene_drawing.h"
#include "render/ship_frame.h"
#include "textures/textures.h"

namespace {

// Negative z of the ship frame is forward; the half-turn about y points a quadric's
// +z axis that way.
void TurnToFaceForward() {
  GL.glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
}

void LieOnSide() {
  GL.glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
}

void BeginReflective(GLUquadric* quadric) {
  GLu.gluQuadricTexture(quadric, GL_TRUE);
  BindSphereMapped(TextureSlotMetal);
}

void EndReflective(GLUquadric* quadric) {
  UnbindTexture();
  GLu.gluQuadricTexture(quadric, GL_FALSE);
}

// A six-sided cone flattened to 0.4 of its height, in the colour already set.
void DrawBody(GLUquadric* quadric) {
  GL.glPushMatrix();
  LieOnSide();
  GL.glScalef(0.4f, 1.0f, 1.0f);
  TurnToFaceForward();
  GLu.gluCylinder(quadric, 3.0, 0.2, 6.0, 6, 2);
  GLu.gluDisk(quadric, 0.0, 3.0, 6, 2);
  GL.glPopMatrix();
}

// A small blade rising from the middle of the body, leaning 40 degrees outwards; `side`
// is +1 for the fin at +x, -1 for the one at -x.
void DrawFin(GLUquadric* quadric, GLfloat side) {
  GL.glPushMatrix();
  GL.glTranslatef(0.5f * side, 0.0f, -3.3f);
  GL.glRotatef(90.0f, -1.0f, 0.0f, 0.0f);
  GL.glRotatef(40.0f * side, 0.0f, 1.0f, 0.0f);
  GL.glScalef(0.3f, 2.0f, 1.0f);
  GLu.gluCylinder(quadric, 0.3, 0.1, 1.0, 4, 2);
  GL.glPopMatrix();
}

// A flat four-sided pyramid ten units across.
void DrawWing(GLUquadric* quadric) {
  GL.glPushMatrix();
  GL.glColor3f(0.1f, 0.1f, 0.7f);
  GL.glTranslatef(0.0f, -0.2f, -0.5f);
  LieOnSide();
  GL.glScalef(0.05f, 1.0f, 1.0f);
  TurnToFaceForward();
  GLu.gluCylinder(quadric, 5.0, 0.0, 4.0, 4, 2);
  GLu.gluDisk(quadric, 0.0, 5.0, 4, 1);
  GL.glPopMatrix();
}

// A thin tube at a wing tip reaching forward to z = -3, where the laser lines start.
void DrawPod(GLUquadric* quadric, GLfloat side) {
  GL.glPushMatrix();
  GL.glColor3f(0.5f, 0.5f, 0.6f);
  GL.glTranslatef(4.0f * side, -0.2f, 0.0f);
  LieOnSide();
  TurnToFaceForward();
  GLu.gluCylinder(quadric, 0.2, 0.1, 3.0, 4, 2);
  GLu.gluDisk(quadric, 0.0, 0.2, 4, 1);
  GL.glPopMatrix();
}

void DrawHull(GLUquadric* quadric) {
  BeginReflective(quadric);
  DrawBody(quadric);
  DrawFin(quadric, 1.0f);
  DrawFin(quadric, -1.0f);
  DrawWing(quadric);
  DrawPod(quadric, 1.0f);
  DrawPod(quadric, -1.0f);
  EndReflective(quadric);
}

// Translucent glass; depth writes stay on.
void DrawCanopy(GLUquadric* quadric) {
  BeginReflective(quadric);
  GL.glPushMatrix();
  GL.glEnable(GL_BLEND);
  GL.glColor4f(0.25f, 0.6f, 0.9f, 0.5f);
  GL.glTranslatef(0.0f, 0.7f, -0.9f);
  LieOnSide();
  GL.glScalef(0.5f, 1.0f, 1.0f);
  TurnToFaceForward();
  GLu.gluCylinder(quadric, 1.3, 0.0, 2.5, 20, 2);
  GLu.gluDisk(quadric, 0.0, 1.3, 20, 1);
  GL.glDisable(GL_BLEND);
  GL.glPopMatrix();
  EndReflective(quadric);
}

void DrawEngines(GLUquadric* quadric) {
  BeginReflective(quadric);
  GL.glPushMatrix();
  GL.glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 127.0f);
  LieOnSide();
  GL.glColor3f(0.5f, 0.5f, 0.4f);
  for (GLfloat k : {-1.0f, 1.0f}) {
    GL.glPushMatrix();
    GL.glTranslatef(0.0f, 1.5f * k, 1.0f);
    TurnToFaceForward();
    GLu.gluCylinder(quadric, 1.0, 0.5, 1.0, 15, 2);
    GLu.gluCylinder(quadric, 1.0, 0.3, 0.5, 15, 2);
    GL.glPopMatrix();
  }
  GL.glPopMatrix();
  EndReflective(quadric);
}

// Unlit translucent cones pointing backwards out of the engines; they flicker with the
// clock and grow longer and yellower with speed.
void DrawEngineFlames(const Scene& scene, GLUquadric* quadric) {
  const double speed = scene.FlightSpeed;
  const double flicker = 13.0 * scene.SceneClock;
  GL.glPushAttrib(GL_ALL_ATTRIB_BITS);
  GL.glDisable(GL_LIGHTING);
  GL.glEnable(GL_CULL_FACE);
  GL.glCullFace(GL_BACK);
  GL.glPushMatrix();
  GL.glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
  GL.glEnable(GL_BLEND);
  LieOnSide();
  GL.glColor4f(1.0f, static_cast<GLfloat>(0.5 + speed / 90.0),
               static_cast<GLfloat>(0.3 + speed / 150.0),
               static_cast<GLfloat>(0.3 + 0.1 * std::cos(flicker) + speed / 90.0));
  const double length = 4.0 + 0.8 * std::sin(flicker) + speed / 6.0;
  for (GLfloat k : {-1.0f, 1.0f}) {
    GL.glPushMatrix();
    GL.glTranslatef(0.0f, 1.5f * k, 0.0f);
    GLu.gluCylinder(quadric, 0.5, 0.0, length, 15, 1);
    GL.glPopMatrix();
  }
  GL.glDisable(GL_BLEND);
  GL.glPopMatrix();
  GL.glPopAttrib();
}

}  // namespace

void DrawShip(const Scene& scene, GLUquadric* quadric) {
  GL.glPushMatrix();
  ApplyShipFrame(scene);
  GL.glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
  GL.glColor3f(0.7f, 0.2f, 0.2f);
  DrawHull(quadric);
  DrawCanopy(quadric);
  DrawEngines(quadric);
  DrawEngineFlames(scene, quadric);
  GL.glPopMatrix();
}
