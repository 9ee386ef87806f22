// Drawing one frame of the scene: clear, projection and swaying view, lights, glows,
// meteors and debris, explosion flashes, smoke, the ship and its lasers, buffer swap.
// The scene is only read. Everything goes out in immediate mode through the GL tables.
#pragma once

#include <cstdint>
#include <functional>

#include "gl/gl_types.h"
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

// One frame: clear, DrawScene, the overlay, swap. The quadric comes from CreateQuadric.
void RenderFrame(const Scene& scene, const RenderTarget& target, GLUquadric* quadric);

// The whole picture, stage by stage in the order below. Starts from the model-view
// identity and leaves the model-view matrix current, blending, culling and texturing off
// and depth writes on.
void DrawScene(const Scene& scene, const RenderTarget& target, GLUquadric* quadric);

// The stages of DrawScene, each usable alone once the view is set.
void SetProjectionAndView(const Scene& scene, const RenderTarget& target);
void SetFixedLights(const Scene& scene);     // the fixed light and the ship's headlight
void DrawLightGlows(const Scene& scene);     // a soft glow for each light ahead of the viewer
void SetColouredLights(const Scene& scene);  // the first six lights as spotlights 2..7
void PrepareQuadricAndMaterial(GLUquadric* quadric);
void DrawParticles(const Scene& scene, GLUquadric* quadric);  // meteors and debris
void DrawFlashes(const Scene& scene, GLUquadric* quadric);
void DrawSmokePuffs(const Scene& scene);
void SetBaseMaterial();
void DrawShip(const Scene& scene, GLUquadric* quadric);
void DrawLaserLines(const Scene& scene);  // only while a shot is running
