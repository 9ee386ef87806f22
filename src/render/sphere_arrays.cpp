// SphereArrays: one interleaved array of the current sphere's vertices and one
// glDrawElements per sphere.
#include "render/sphere_arrays.h"

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

namespace {

constexpr GLsizei kStrideBytes = static_cast<GLsizei>(SphereMesh::kStride * sizeof(float));

}  // namespace

SphereArrays::SphereArrays(SphereMeshCache& meshes) : meshes_(&meshes) {
  // Room for the scene's largest sphere, the flash's 20 x 20 (larger ones make room anew).
  constexpr std::size_t kFlashVertices = 21 * 21 + 2;
  vertices_.resize(kFlashVertices * SphereMesh::kStride);
}

void SphereArrays::Draw(GLUquadric* quadric, double radius, int32_t slices, int32_t stacks,
                        bool textured, DrawStateCache& state) {
  const SphereMesh* mesh = meshes_->Find(slices, stacks, textured);
  // A negative radius draws nothing, and the quadric says so in its own way.
  if (mesh == nullptr || radius < 0) {
    state.SetQuadricTexture(textured);
    state.Apply();
    GLu.gluSphere(quadric, radius, slices, stacks);
    return;
  }
  state.Apply();
  const std::size_t size = mesh->VertexCount() * SphereMesh::kStride;
  if (vertices_.size() < size) {
    vertices_.resize(size);
    pointersSent_ = false;  // the array has moved
  }
  mesh->FillVertices(radius, vertices_.data());
  if (!pointersSent_) {
    // One interleaved array, which GL fetches as a single block.
    GL.glVertexPointer(3, GL_FLOAT, kStrideBytes, vertices_.data());
    GL.glNormalPointer(GL_FLOAT, kStrideBytes, vertices_.data() + SphereMesh::kNormalAt);
    GL.glTexCoordPointer(2, GL_FLOAT, kStrideBytes, vertices_.data() + SphereMesh::kTexCoordAt);
    pointersSent_ = true;
  }
  SwitchArray(vertexArray_, GL_VERTEX_ARRAY, true);
  SwitchArray(normalArray_, GL_NORMAL_ARRAY, true);
  SwitchArray(texCoordArray_, GL_TEXTURE_COORD_ARRAY, textured);
  const std::vector<uint16_t>& triangles = mesh->Triangles();
  GL.glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_SHORT,
                    triangles.data());
}

void SphereArrays::End() {
  SwitchArray(vertexArray_, GL_VERTEX_ARRAY, false);
  SwitchArray(normalArray_, GL_NORMAL_ARRAY, false);
  SwitchArray(texCoordArray_, GL_TEXTURE_COORD_ARRAY, false);
}

void SphereArrays::SwitchArray(std::optional<bool>& known, GLenum array, bool on) {
  if (known == on) return;
  if (on) {
    GL.glEnableClientState(array);
  } else {
    GL.glDisableClientState(array);
  }
  known = on;
}

SphereMeshCache& SceneSphereMeshes() {
  static SphereMeshCache meshes;
  return meshes;
}
