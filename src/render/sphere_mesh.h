// A GLU-style sphere of slices x stacks facets as OpenGL 1.1 vertex arrays and one list of
// triangles. Every vertex, normal and texture coordinate is computed with the very
// single- and double-precision steps of GLU's quadric sphere (gluSphere), and the
// triangles keep the vertex order its fans and quad strips are split into, so that a
// sphere drawn from these arrays covers exactly the same pixels in the same colours.
// The pole bands of a textured sphere hold triangles with two corners on the pole, which
// cover nothing; they are left out. Normals, texture coordinates and triangles depend only
// on the facet counts and are made once per (slices, stacks, textured); the positions
// scale with each radius.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class SphereMesh {
 public:
  // Only for counts that are Reproducible. `textured` adds texture coordinates and, like the
  // quadric, builds the poles from quads instead of fans.
  SphereMesh(int32_t slices, int32_t stacks, bool textured);

  static constexpr int32_t kMaxFacets = 64;

  // Whether the arrays reproduce the quadric sphere for these counts: slices of 2 to
  // kMaxFacets and stacks of 1 to kMaxFacets, but not an untextured sphere with more stacks
  // than slices, whose bottom pole the quadric gives a normal read from outside the values
  // it computed.
  static bool Reproducible(int32_t slices, int32_t stacks, bool textured);

  // The vertices of a sphere of `radius`, interleaved as GL reads them fastest: kStride
  // floats each, the position at 0, the normal at kNormalAt and the texture coordinate at
  // kTexCoordAt (zero without texturing). `out` holds VertexCount() * kStride floats.
  static constexpr std::size_t kStride = 8;
  static constexpr std::size_t kNormalAt = 3;
  static constexpr std::size_t kTexCoordAt = 6;
  void FillVertices(double radius, float* out) const;

  int32_t Slices() const { return slices_; }
  int32_t Stacks() const { return stacks_; }
  bool Textured() const { return textured_; }
  std::size_t VertexCount() const { return vertices_.size(); }
  const std::vector<uint16_t>& Triangles() const { return triangles_; }  // 3 indices each

 private:
  // Where a vertex lies: on ring `Ring` (0 the +z pole .. stacks the -z pole) at slice
  // `Slice`, or on a pole of its own (the apex of an untextured sphere's fan).
  struct Vertex {
    int16_t Slice;
    int16_t Ring;
  };
  static constexpr int16_t kTopApex = -1;
  static constexpr int16_t kBottomApex = -2;

  int16_t AddVertex(int32_t slice, int32_t ring);
  int16_t NewVertex(int32_t slice, int32_t ring);
  void AddTriangle(int16_t a, int16_t b, int16_t c);
  bool OnPole(int16_t vertex) const;
  int16_t AddApex(int16_t which, int32_t normalSlice, int32_t normalRing);
  void AddFan(int16_t apex, int32_t ring, bool downwards);
  void AddQuadStrip(int32_t ring);

  int32_t slices_;
  int32_t stacks_;
  bool textured_;
  std::vector<float> sliceSin_, sliceCos_;  // per slice, the last one repeating the first
  std::vector<double> ringSin_, ringCos_;   // per ring, before a radius multiplies them
  std::vector<Vertex> vertices_;
  std::vector<int16_t> grid_;     // the vertex of each place, by ring and slice; -1 none yet
  std::vector<float> normals_;    // 3 per vertex
  std::vector<float> texCoords_;  // 2 per vertex, or none
  std::vector<uint16_t> triangles_;
};

// The meshes of the scene, made on first use and kept: at most one per facet counts and
// texturing. Find returns null for counts the arrays cannot reproduce.
class SphereMeshCache {
 public:
  const SphereMesh* Find(int32_t slices, int32_t stacks, bool textured);

 private:
  std::vector<std::unique_ptr<SphereMesh>> meshes_;  // by texturing, slices and stacks
};
