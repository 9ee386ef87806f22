// Spheres drawn from OpenGL 1.1 vertex arrays, one indexed glDrawElements of triangles each,
// with the pixels of the quadric sphere (see sphere_mesh.h). Every sphere's vertices go
// into the same interleaved array, so the pointers are sent once a frame and the client
// arrays stay switched on from one sphere to the next; End switches them off. Counts the arrays
// cannot reproduce go to the quadric itself.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "gl/gl_types.h"
#include "render/draw_state_cache.h"
#include "render/sphere_mesh.h"

class SphereArrays {
 public:
  // The meshes outlive the frame; everything else starts unknown.
  explicit SphereArrays(SphereMeshCache& meshes);

  // A sphere round the current origin, as gluSphere(quadric, radius, slices, stacks) draws it
  // with the quadric's texture coordinates switched to `textured`. Sends the state the
  // drawing asked `state` for first.
  void Draw(GLUquadric* quadric, double radius, int32_t slices, int32_t stacks, bool textured,
            DrawStateCache& state);
  // Switches off the client arrays that Draw switched on.
  void End();

 private:
  void SwitchArray(std::optional<bool>& known, GLenum array, bool on);

  SphereMeshCache* meshes_;
  std::vector<float> vertices_;  // interleaved, as large as the largest mesh drawn
  bool pointersSent_ = false;
  std::optional<bool> vertexArray_, normalArray_, texCoordArray_;  // unknown until sent
};

// The meshes the scene's spheres are made of, kept from frame to frame.
SphereMeshCache& SceneSphereMeshes();
