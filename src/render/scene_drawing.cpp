// RenderFrame and the stages of DrawScene up to the ship (which is in ship_drawing.cpp).
#include "render/scene_drawing.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"
#include "render/billboards.h"
#include "render/render_state.h"
#include "render/ship_frame.h"
#include "textures/textures.h"

namespace {

using Rgba = std::array<GLfloat, 4>;

constexpr Rgba kMaterialAmbient = {0.1f, 0.1f, 0.6f, 1.0f};
constexpr Rgba kMaterialDiffuse = {0.1f, 0.5f, 0.1f, 1.0f};
constexpr Rgba kMaterialSpecular = {1.0f, 0.8f, 0.8f, 1.0f};

struct LightColours {
  Rgba Ambient, Diffuse, Specular;
};
constexpr LightColours kFixedLight = {
    {0.2f, 0.1f, 0.15f, 1.0f}, {0.25f, 0.25f, 0.2f, 1.0f}, {0.2f, 0.24f, 0.12f, 1.0f}};
constexpr LightColours kHeadlight = {
    {0.9f, 0.9f, 0.75f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 0.92f, 1.0f}};

// The fixed light's position, under the look-at matrix alone.
constexpr GLfloat kFixedLightPosition[4] = {50.0f, -20.0f, 10.0f, 1.0f};

// GL_LIGHT2 .. GL_LIGHT7 carry the first entries of Lights.
constexpr std::size_t kColouredLightCount = 6;

constexpr double kGlowHalfSize = 900.0;

void SetLightColours(GLenum light, const LightColours& colours) {
  GL.glLightfv(light, GL_AMBIENT, colours.Ambient.data());
  GL.glLightfv(light, GL_DIFFUSE, colours.Diffuse.data());
  GL.glLightfv(light, GL_SPECULAR, colours.Specular.data());
}

void Translate(double x, double y, double z) {
  GL.glTranslatef(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

enum class Lighting { Off, On };

// The state of both billboard passes, saved first and restored by the caller's
// glPopAttrib: translucent, no depth writes, front faces only.
void BeginBillboardPass(Lighting lighting) {
  GL.glPushAttrib(GL_ALL_ATTRIB_BITS);
  GL.glEnable(GL_COLOR_MATERIAL);
  if (lighting == Lighting::Off) GL.glDisable(GL_LIGHTING);
  GL.glPolygonMode(GL_FRONT, GL_FILL);
  GL.glEnable(GL_BLEND);
  GL.glDepthMask(GL_FALSE);
  GL.glEnable(GL_CULL_FACE);
  GL.glCullFace(GL_BACK);
}

// The lit squares and lines send no normal of their own; one facing the viewer keeps
// their lighting the same whatever was drawn before them.
ViewAxes ReadViewAxesFacingViewer() {
  const ViewAxes axes = ReadViewAxes();
  GL.glNormal3f(axes.Towards.X, axes.Towards.Y, axes.Towards.Z);
  return axes;
}

// 0.4 far away; inside 200 units of the plane z = 0 it fades with the distance, a jump
// from 0.4 to 0.25 at z = -200.
GLfloat GlowOpacity(double z) {
  if (z >= -200.0 && z < 0.0) return static_cast<GLfloat>(-z / 800.0);
  return 0.4f;
}

// Whether the drawing leaves out a sphere round (x, y, z): the literal one never does, the
// one from arrays when it lies wholly outside the view. Whatever a left-out object would
// have set (its colour, its texture, its shininess) every object drawn after it sets anew.
bool LeftOut(const FrameDrawing& frame, double x, double y, double z, double radius) {
  return frame.Method == DrawingMethod::Arrays && frame.Frustum.Excludes(x, y, z, radius);
}

// A square translated to a position and then centred on it lies at twice the position;
// its corners reach halfSize times the square root of two from its centre.
bool SquareLeftOut(const FrameDrawing& frame, double x, double y, double z, double halfSize) {
  return LeftOut(frame, 2 * x, 2 * y, 2 * z, std::abs(halfSize) * std::numbers::sqrt2);
}

// The texture operations and the shininess: sent where they stand in the literal drawing,
// otherwise asked of the frame's state cache, which sends what changed just before the
// next thing is drawn (SendState, SphereArrays::Draw).
void BindTexture(FrameDrawing& frame, int32_t slot) {
  if (frame.Method == DrawingMethod::Reference) return BindObjectLinear(slot);
  frame.State.BindObjectLinear(slot);
}

void Unbind(FrameDrawing& frame) {
  if (frame.Method == DrawingMethod::Reference) return UnbindTexture();
  frame.State.UnbindTexture();
}

void SetShininess(FrameDrawing& frame, GLfloat shininess) {
  if (frame.Method == DrawingMethod::Reference) {
    return GL.glMaterialf(GL_FRONT, GL_SHININESS, shininess);
  }
  frame.State.SetFrontShininess(shininess);
}

// Spheres from arrays need no quadric switch; SphereArrays sets it where it falls back on
// the quadric.
void SetQuadricTexture(FrameDrawing& frame, bool textured) {
  if (frame.Method == DrawingMethod::Reference) {
    GLu.gluQuadricTexture(frame.Quadric, textured ? GL_TRUE : GL_FALSE);
  }
}

// Before something drawn in immediate mode.
void SendState(FrameDrawing& frame) {
  if (frame.Method == DrawingMethod::Arrays) frame.State.Apply();
}

// A sphere round the current origin, with the quadric's texture coordinates or not.
void DrawSphere(FrameDrawing& frame, double radius, int32_t slices, int32_t stacks, bool textured) {
  if (frame.Method == DrawingMethod::Reference) {
    return GLu.gluSphere(frame.Quadric, radius, slices, stacks);
  }
  frame.Spheres.Draw(frame.Quadric, radius, slices, stacks, textured, frame.State);
}

int64_t Area(const std::optional<WindowBox>& box) {
  return box ? int64_t{box->Width} * box->Height : 0;
}

// Lets the drawing shade only the pixels where a square's texture can show: outside them
// its fragments have an alpha of zero and blend to the colour already there, and a glow can
// cover the whole window. Each new box is a state change, so it is set only where it leaves
// out at least a 64 x 64 tile's worth of pixels; a small far puff is drawn as it is. The
// square lies at (x, y, z), as DrawBillboard draws it.
void ClipToCoverage(FrameDrawing& frame, double x, double y, double z, double halfSize,
                    int32_t slot) {
  constexpr int64_t kPixelsWorthABox = 64 * 64;
  if (frame.Method == DrawingMethod::Reference) return;
  const AlphaCoverage& coverage = textureCoverage.at(static_cast<std::size_t>(slot));
  // Texture coordinate 0 lies on the square's left and bottom edges, 1 on its right and top.
  const SquarePart part = {2 * coverage.SMin - 1, 2 * coverage.SMax - 1, 2 * coverage.TMin - 1,
                           2 * coverage.TMax - 1};
  const std::optional<WindowBox> box = frame.Frustum.PixelsOf(x, y, z, halfSize, part);
  const std::optional<WindowBox> whole = frame.Frustum.PixelsOf(x, y, z, halfSize, {});
  const bool worthIt = box && whole && Area(whole) - Area(box) >= kPixelsWorthABox;
  frame.State.ClipTo(worthIt ? box : std::nullopt);
}

void DrawLightGlow(const LightBeacon& light, const ViewAxes& axes, FrameDrawing& frame) {
  BindTexture(frame, TextureSlotSmoke);
  ClipToCoverage(frame, 2 * light.X, 2 * light.Y, 2 * light.Z, kGlowHalfSize, TextureSlotSmoke);
  SendState(frame);
  GL.glPushMatrix();
  GL.glColor4f(static_cast<GLfloat>(light.Red), static_cast<GLfloat>(light.Green),
               static_cast<GLfloat>(light.Blue), GlowOpacity(light.Z));
  // Translated and then centred on the same position: the square lies at twice it.
  Translate(light.X, light.Y, light.Z);
  DrawBillboard(light.X, light.Y, light.Z, kGlowHalfSize, axes.Right, axes.Up);
  GL.glPopMatrix();
  Unbind(frame);
}

// Every spotlight is shaped alike: a point light with a 90-degree cone sharpened by an
// exponent of 20, one colour for all three terms.
void SetSpotlight(GLenum light, const GLfloat (&position)[4], const GLfloat (&direction)[3],
                  const Rgba& colour) {
  GL.glEnable(light);
  GL.glLightfv(light, GL_POSITION, position);
  GL.glLightfv(light, GL_SPOT_DIRECTION, direction);
  GL.glLightf(light, GL_SPOT_CUTOFF, 90.0f);
  GL.glLightf(light, GL_SPOT_EXPONENT, 20.0f);
  SetLightColours(light, {colour, colour, colour});
}

void SetColouredLight(GLenum light, const LightBeacon& beacon) {
  const GLfloat position[4] = {static_cast<GLfloat>(beacon.X), static_cast<GLfloat>(beacon.Y),
                               static_cast<GLfloat>(beacon.Z), 1.0f};
  const GLfloat direction[3] = {beacon.Dir.X, beacon.Dir.Y, beacon.Dir.Z};
  SetSpotlight(light, position, direction,
               {static_cast<GLfloat>(beacon.Red), static_cast<GLfloat>(beacon.Green),
                static_cast<GLfloat>(beacon.Blue), 1.0f});
}

// A spotlight placed on the fixed light, but black: it adds exactly nothing to any colour.
// Keeping on every coloured light the flight can reach keeps GL's lighting program the same
// whatever the number of lights, so a software renderer compiles it once instead of once for
// each number the flight passes through (each compile stalls the flight for a tenth of a
// second there; a black light costs a little vertex work).
void SetDarkLight(GLenum light) {
  static constexpr Rgba kBlack = {0.0f, 0.0f, 0.0f, 1.0f};
  static constexpr GLfloat kDirection[3] = {0.0f, 0.0f, -1.0f};
  SetSpotlight(light, kFixedLightPosition, kDirection, kBlack);
}

void DrawParticle(const SceneParticle& particle, FrameDrawing& frame) {
  if (LeftOut(frame, particle.X, particle.Y, particle.Z, particle.Radius)) return;
  const bool textured = particle.IsMeteor != 0;
  if (textured) {
    // The sphere's own texture coordinates map the meteor image.
    SetQuadricTexture(frame, true);
    BindTexture(frame, TextureSlotMeteor);
  }
  SetShininess(frame, static_cast<GLfloat>(particle.Shininess));
  GL.glColor3f(particle.Red, particle.Green, particle.Blue);
  GL.glPushMatrix();
  Translate(particle.X, particle.Y, particle.Z);
  GL.glRotated(particle.AngleX, 1.0, 0.0, 0.0);
  GL.glRotated(particle.AngleY, 0.0, 1.0, 0.0);
  DrawSphere(frame, particle.Radius, particle.Slices, particle.Stacks, textured);
  GL.glPopMatrix();
  if (textured) {
    SetQuadricTexture(frame, false);
    Unbind(frame);
  }
}

void DrawFlash(const ExplosionFlash& flash, FrameDrawing& frame) {
  constexpr int32_t kFacets = 20;
  if (LeftOut(frame, flash.X, flash.Y, flash.Z, flash.Radius)) return;
  SetShininess(frame, 1.0f);
  GL.glColor4f(1.0f, 0.7f, 0.0f, static_cast<GLfloat>(flash.Alpha));
  GL.glPushMatrix();
  Translate(flash.X, flash.Y, flash.Z);
  DrawSphere(frame, flash.Radius, kFacets, kFacets, false);
  GL.glPopMatrix();
}

// Kind + 2 names the puff's texture slot. A kind beyond the ten names has no texture to
// bind, and such a puff is left out rather than drawn as a bare grey square.
bool HasTextureSlot(const SmokePuff& puff) {
  return puff.Kind + 2u < TextureNames.size();
}

// Born small, black and opaque; ends large, light grey and transparent. Not clamped.
void DrawSmokePuff(const SmokePuff& puff, const ViewAxes& axes, FrameDrawing& frame) {
  const double halfSize = 20.0 - 3.0 * puff.Life;
  if (SquareLeftOut(frame, puff.X, puff.Y, puff.Z, halfSize)) return;
  const auto grey = static_cast<GLfloat>(0.8 - puff.Life / 7.0);
  GL.glColor4f(grey, grey, grey, static_cast<GLfloat>(puff.Life / 6.0));
  BindTexture(frame, puff.Kind + 2);
  ClipToCoverage(frame, 2 * puff.X, 2 * puff.Y, 2 * puff.Z, halfSize, puff.Kind + 2);
  SendState(frame);
  GL.glPushMatrix();
  // Like the glows: the square lies at twice the puff's position.
  Translate(puff.X, puff.Y, puff.Z);
  DrawBillboard(puff.X, puff.Y, puff.Z, halfSize, axes.Right, axes.Up);
  GL.glPopMatrix();
  Unbind(frame);
}

// The end of a billboard pass. Its glPopAttrib puts back every piece of state the pass
// changed, the texturing included, so the cached drawing need not switch it off first.
void EndBillboardPass(FrameDrawing& frame) {
  if (frame.Method == DrawingMethod::Reference) UnbindTexture();
  GL.glPopAttrib();
  frame.State.Forget();
}

}  // namespace

void RenderFrame(const Scene& scene, const RenderTarget& target, GLUquadric* quadric,
                 DrawingMethod method) {
  assert(quadric != nullptr && "the quadric comes from CreateQuadric");
  GL.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  GL.glLoadIdentity();
  DrawScene(scene, target, quadric, method);
  if (target.DrawOverlay) target.DrawOverlay();
  if (target.SwapBuffers) target.SwapBuffers();
}

void DrawScene(const Scene& scene, const RenderTarget& target, GLUquadric* quadric,
               DrawingMethod method) {
  FrameDrawing frame(quadric, method);
  frame.Frustum = SetProjectionAndView(scene, target);
  SetFixedLights(scene);
  DrawLightGlows(scene, frame);
  SetColouredLights(scene, method);
  PrepareQuadricAndMaterial(quadric);
  DrawParticles(scene, frame);
  DrawFlashes(scene, frame);
  DrawSmokePuffs(scene, frame);
  SetBaseMaterial();
  DrawShip(scene, quadric);
  DrawLaserLines(scene);
}

// The eye wobbles near the origin and looks at a wobbling point near the ship.
ViewFrustum SetProjectionAndView(const Scene& scene, const RenderTarget& target) {
  ResizeGL(target.Width, target.Height, scene.FlightSpeed);
  const double t = scene.SceneClock;
  const LookAtView view = {14.3 * std::sin(t / 10.0),
                           15.3 * std::cos(t / 9.0),
                           0.0,
                           14.3 * std::sin(t / 7.3) + scene.ShipX,
                           15.3 * std::cos(t / 5.31) + scene.ShipY,
                           9.0 * std::cos(t / 13.0) + scene.ShipZ,
                           scene.UpX,
                           scene.UpY,
                           0.0};
  GLu.gluLookAt(view.EyeX, view.EyeY, view.EyeZ, view.CentreX, view.CentreY, view.CentreZ, view.UpX,
                view.UpY, view.UpZ);
  return ViewFrustum(kBaseFieldOfView + scene.FlightSpeed, target.Width, target.Height, kNearPlane,
                     kFarPlane, view);
}

void SetFixedLights(const Scene& scene) {
  GL.glEnable(GL_LIGHTING);
  GL.glEnable(GL_LIGHT0);
  GL.glEnable(GL_LIGHT1);

  // The headlight sits at the origin of the ship's frame (w = -9 still names the
  // origin) and shines straight ahead along the ship's negative z axis.
  static constexpr GLfloat kHeadlightPosition[4] = {0.0f, 0.0f, 0.0f, -9.0f};
  static constexpr GLfloat kHeadlightDirection[3] = {0.0f, 0.0f, -2.0f};
  GL.glPushMatrix();
  ApplyShipFrame(scene);
  GL.glLightfv(GL_LIGHT1, GL_POSITION, kHeadlightPosition);
  SetLightColours(GL_LIGHT1, kHeadlight);
  GL.glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, kHeadlightDirection);
  GL.glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 80.0f);
  GL.glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 10.0f);
  GL.glPopMatrix();

  GL.glLightfv(GL_LIGHT0, GL_POSITION, kFixedLightPosition);
  SetLightColours(GL_LIGHT0, kFixedLight);

  // Stage 4 enables again those that the scene's lights fill this frame.
  for (GLenum light = GL_LIGHT2; light <= GL_LIGHT7; ++light) GL.glDisable(light);
}

// Unlit, so the squares need no normal, and the pass sends none.
void DrawLightGlows(const Scene& scene, FrameDrawing& frame) {
  BeginBillboardPass(Lighting::Off);
  const ViewAxes axes = ReadViewAxes();
  SetShininess(frame, 1.0f);
  for (const LightBeacon& light : scene.Lights) {
    if (light.Z < 0.0 && !SquareLeftOut(frame, light.X, light.Y, light.Z, kGlowHalfSize)) {
      DrawLightGlow(light, axes, frame);
    }
  }
  EndBillboardPass(frame);
}

// Under the look-at matrix alone, so each light sits at its own position (its glow does
// not). Entries past the sixth only glow.
void SetColouredLights(const Scene& scene, DrawingMethod method) {
  const std::size_t count = std::min(scene.Lights.size(), kColouredLightCount);
  for (std::size_t i = 0; i < count; ++i) {
    SetColouredLight(GL_LIGHT2 + static_cast<GLenum>(i), scene.Lights[i]);
  }
  if (method == DrawingMethod::Reference) return;
  // As many as the settings let the flight reach, so that fewer lights chosen cost nothing.
  const auto reachable = static_cast<std::size_t>(std::max(scene.Config.LightCount, 0));
  for (std::size_t i = count; i < std::min(reachable, kColouredLightCount); ++i) {
    SetDarkLight(GL_LIGHT2 + static_cast<GLenum>(i));
  }
}

void PrepareQuadricAndMaterial(GLUquadric* quadric) {
  GLu.gluQuadricDrawStyle(quadric, GLU_FILL);
  GLu.gluQuadricNormals(quadric, GLU_SMOOTH);
  GLu.gluQuadricOrientation(quadric, GLU_OUTSIDE);
  // From here on, across frames, ambient and diffuse follow the current colour.
  GL.glEnable(GL_COLOR_MATERIAL);
  SetBaseMaterial();
}

// Leaves the quadric without texture coordinates and texturing off.
void DrawParticles(const Scene& scene, FrameDrawing& frame) {
  for (const SceneParticle& particle : scene.Particles) {
    if (particle.Alive != 0) DrawParticle(particle, frame);
  }
  if (frame.Method == DrawingMethod::Reference) {
    GLu.gluQuadricTexture(frame.Quadric, GL_FALSE);
    UnbindTexture();
    return;
  }
  frame.State.SetQuadricTexture(false);
  frame.State.UnbindTexture();
  frame.State.Apply();
}

// Translucent, in pool order without sorting: depth writes are off so order matters little.
// The last pass with spheres: the client arrays go off at its end.
void DrawFlashes(const Scene& scene, FrameDrawing& frame) {
  GL.glEnable(GL_BLEND);
  GL.glDepthMask(GL_FALSE);
  for (const ExplosionFlash& flash : scene.Flashes) {
    if (flash.Alive != 0) DrawFlash(flash, frame);
  }
  GL.glDepthMask(GL_TRUE);
  GL.glDisable(GL_BLEND);
  if (frame.Method == DrawingMethod::Arrays) frame.Spheres.End();
}

// Lit, unlike the glows.
void DrawSmokePuffs(const Scene& scene, FrameDrawing& frame) {
  BeginBillboardPass(Lighting::On);
  const ViewAxes axes = ReadViewAxesFacingViewer();
  SetShininess(frame, 1.0f);
  for (const SmokePuff& puff : scene.SmokePuffs) {
    if (puff.Alive != 0 && HasTextureSlot(puff)) DrawSmokePuff(puff, axes, frame);
  }
  EndBillboardPass(frame);
}

// With colour material on only the specular value shows; ambient and diffuse follow the
// current colour.
void SetBaseMaterial() {
  GL.glMaterialfv(GL_FRONT, GL_AMBIENT, kMaterialAmbient.data());
  GL.glMaterialfv(GL_FRONT, GL_DIFFUSE, kMaterialDiffuse.data());
  GL.glMaterialfv(GL_FRONT, GL_SPECULAR, kMaterialSpecular.data());
}

// Drawn in the ship's frame, from the pod tips to the shot point (also given in that
// frame), fading from 0.9 to 0.1 opacity. Lighting stays on.
void DrawLaserLines(const Scene& scene) {
  if (scene.ShotCooldown <= 0) return;
  const auto shotX = static_cast<GLfloat>(scene.ShotX);
  const auto shotY = static_cast<GLfloat>(scene.ShotY);
  const auto shotZ = static_cast<GLfloat>(scene.ShotZ);
  GL.glEnable(GL_BLEND);
  GL.glPushMatrix();
  ApplyShipFrame(scene);
  ReadViewAxesFacingViewer();
  GL.glBegin(GL_LINES);
  for (GLfloat podX : {-4.0f, 4.0f}) {
    GL.glColor4f(1.0f, 0.8f, 0.2f, 0.9f);
    GL.glVertex3f(podX, 0.0f, -3.0f);
    GL.glColor4f(1.0f, 0.8f, 0.2f, 0.1f);
    GL.glVertex3f(shotX, shotY, shotZ);
  }
  GL.glEnd();
  GL.glPopMatrix();
  GL.glDisable(GL_BLEND);
}
