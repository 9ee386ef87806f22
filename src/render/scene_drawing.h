// Drawing one frame of the scene: clear, projection and swaying view, lights, glows,
// meteors and debris, explosion flashes, smoke, the ship and its lasers, buffer swap.
// The scene is only read. Everything goes out through the GL tables, in one of two ways
// that give the same pixels (DrawingMethod).
#pragma once

#include <cstdint>
#include <functional>

#include "gl/gl_types.h"
#include "render/draw_state_cache.h"
#include "render/sphere_arrays.h"
#include "render/view_frustum.h"
#include "scene/scene.h"

// What the drawing needs from the window beyond the scene: its client size and the
// buffer swap (the platform's SwapBuffers on the window's device context).
struct RenderTarget {
  int32_t Width = 0;
  int32_t Height = 0;
  std::function<void()> SwapBuffers;  // may be empty: nothing to swap
  // Drawn over the finished scene, just before the swap (the frame rate); may be empty.
  std::function<void()> DrawOverlay = {};
};

// How the spheres, glows and smoke of a frame are sent. Both give the same picture, byte
// for byte; the second does it with much less work for GL.
enum class DrawingMethod {
  // Literally: every sphere through gluSphere in immediate mode, every texture bind,
  // quadric switch and shininess set again for every object, every object sent.
  Reference,
  // Spheres from vertex arrays (SphereArrays), state sent only when it changes
  // (DrawStateCache), spheres and squares that lie wholly outside the view left out, and
  // glows and smoke shaded only within the window pixels where their texture can show.
  Arrays,
};

// What the drawing of one frame carries from stage to stage.
struct FrameDrawing {
  FrameDrawing(GLUquadric* quadric, DrawingMethod method)
      : Quadric(quadric), Method(method), State(quadric), Spheres(SceneSphereMeshes()) {}

  GLUquadric* Quadric;
  DrawingMethod Method;
  ViewFrustum Frustum;  // lets everything through until the view is set
  DrawStateCache State;
  SphereArrays Spheres;
};

// One frame: clear, DrawScene, the overlay, swap. The quadric comes from CreateQuadric.
void RenderFrame(const Scene& scene, const RenderTarget& target, GLUquadric* quadric,
                 DrawingMethod method = DrawingMethod::Arrays);

// The whole picture, stage by stage in the order below. Starts from the model-view
// identity and leaves the model-view matrix current, blending, culling and texturing off,
// no client array switched on and depth writes on.
void DrawScene(const Scene& scene, const RenderTarget& target, GLUquadric* quadric,
               DrawingMethod method = DrawingMethod::Arrays);

// The stages of DrawScene, each usable alone once the view is set. SetProjectionAndView
// returns the part of space the view shows, for the frame's Frustum.
ViewFrustum SetProjectionAndView(const Scene& scene, const RenderTarget& target);
void SetFixedLights(const Scene& scene);  // the fixed light and the ship's headlight
void DrawLightGlows(const Scene& scene, FrameDrawing& frame);  // glows of lights ahead
// The first six lights as spotlights 2..7; the saver's drawing fills the rest it can reach
// with dark ones.
void SetColouredLights(const Scene& scene, DrawingMethod method);
void PrepareQuadricAndMaterial(GLUquadric* quadric);
void DrawParticles(const Scene& scene, FrameDrawing& frame);  // meteors and debris
void DrawFlashes(const Scene& scene, FrameDrawing& frame);
void DrawSmokePuffs(const Scene& scene, FrameDrawing& frame);
void SetBaseMaterial();
void DrawShip(const Scene& scene, GLUquadric* quadric);
void DrawLaserLines(const Scene& scene);  // only while a shot is running
