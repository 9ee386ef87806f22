// The OpenGL state that does not change from frame to frame and the projection: the first
// set-up of a fresh context (InitGL), the one GLU quadric, the fixed state set as the last
// step of scene start-up, and the viewport and perspective rebuilt every frame (ResizeGL).
#pragma once

#include <cstdint>
#include <stdexcept>

#include "common/message_sink.h"
#include "gl/gl_types.h"
#include "scene/scene.h"

// A renderer that cannot start; the message is meant for the user as it stands.
class RenderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr double kInitialFieldOfView = 120.0;  // stands only until the first frame
inline constexpr double kBaseFieldOfView = 50.0;      // widened by FlightSpeed every frame
inline constexpr double kNearPlane = 0.2;
inline constexpr double kInitialFarPlane = 1000.0;
inline constexpr double kFarPlane = 1500.0;

// Clear values, depth test, smooth shading and an initial 120-degree projection for a
// fresh context of the given client size. Leaves the model-view matrix current.
void InitGL(int32_t width, int32_t height);

// The quadric every sphere, cylinder and disk is drawn with. Throws RenderError when GLU
// has none to give, so that a start-up refuses instead of every frame crashing in GLU.
GLUquadric* CreateQuadric();

// Gives the quadric back to GLU; the context it was made in must be current.
void DeleteQuadric(GLUquadric* quadric);

// Fog, blend function, light model and texture environment. Must follow texture loading:
// its MODULATE replaces the DECAL that loading the environment-mapped images leaves.
void SetFixedRenderState();

// Viewport and perspective for the window size, with a field of view of 50 + flightSpeed
// degrees. A height of 0 counts as 1. Leaves the identity in the model-view matrix.
void ResizeGL(int32_t width, int32_t height, double flightSpeed);

// The GL halves of InitScene for the saver: the three textures (failures go to `report`
// and loading goes on), then the fixed render state.
SceneInitHooks RenderInitHooks(MessageSink report);
