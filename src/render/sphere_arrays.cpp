// SphereArrays: the client arrays of the current mesh and one glDrawElements per sphere.
#include "render/sphere_arrays.h"

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

SphereArrays::SphereArrays(SphereMeshCache& meshes) : meshes_(&meshes) {
  // Room for the largest mesh, so that the positions never move and their pointer is sent
  // once.
  constexpr std::size_t kSide = SphereMesh::kMaxFacets + 1;
  positions_.reserve((kSide * kSide + 2) * 3);
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
  mesh->PlaceVertices(radius, positions_);
  SwitchArray(vertexArray_, GL_VERTEX_ARRAY, true);
  SwitchArray(normalArray_, GL_NORMAL_ARRAY, true);
  SwitchArray(texCoordArray_, GL_TEXTURE_COORD_ARRAY, textured);
  if (vertexPointer_ != positions_.data()) {
    vertexPointer_ = positions_.data();
    GL.glVertexPointer(3, GL_FLOAT, 0, vertexPointer_);
  }
  if (normalPointer_ != mesh->Normals().data()) {
    normalPointer_ = mesh->Normals().data();
    GL.glNormalPointer(GL_FLOAT, 0, normalPointer_);
  }
  if (textured && texCoordPointer_ != mesh->TextureCoords().data()) {
    texCoordPointer_ = mesh->TextureCoords().data();
    GL.glTexCoordPointer(2, GL_FLOAT, 0, texCoordPointer_);
  }
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
