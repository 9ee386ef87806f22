// The sphere's rings and slices, computed step by step as the quadric sphere computes
// them: angles rounded to single precision, their sines and cosines taken in double and
// rounded to single, the radius multiplied in double, products of two singles in single.
#include "render/sphere_mesh.h"

#include <cassert>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

}  // namespace

SphereMesh::SphereMesh(int32_t slices, int32_t stacks, bool textured)
    : slices_(slices), stacks_(stacks), textured_(textured) {
  assert(Reproducible(slices, stacks, textured) && "counts the arrays cannot reproduce");
  for (int32_t i = 0; i < slices; ++i) {
    const auto angle = static_cast<float>(2 * kPi * i / slices);
    sliceSin_.push_back(static_cast<float>(std::sin(static_cast<double>(angle))));
    sliceCos_.push_back(static_cast<float>(std::cos(static_cast<double>(angle))));
  }
  // The seam: the last slice repeats the first exactly.
  sliceSin_.push_back(sliceSin_.front());
  sliceCos_.push_back(sliceCos_.front());
  grid_.assign(static_cast<std::size_t>(stacks + 1) * (slices + 1), -1);
  for (int32_t j = 0; j <= stacks; ++j) {
    const auto angle = static_cast<float>(kPi * j / stacks);
    ringSin_.push_back(std::sin(static_cast<double>(angle)));
    ringCos_.push_back(std::cos(static_cast<double>(angle)));
  }

  if (textured) {
    // Texture coordinates change round the poles, so the quadric draws them as quads too.
    for (int32_t j = 0; j < stacks; ++j) AddQuadStrip(j);
    return;
  }
  // The top pole's normal is that of ring 0; the bottom pole's is looked up with the
  // stack count as its slice, which only exists while stacks <= slices.
  const int16_t top = AddApex(kTopApex, 0, 0);
  AddFan(top, 1, true);
  const int16_t bottom = AddApex(kBottomApex, stacks, stacks);
  AddFan(bottom, stacks - 1, false);
  for (int32_t j = 1; j < stacks - 1; ++j) AddQuadStrip(j);
}

bool SphereMesh::Reproducible(int32_t slices, int32_t stacks, bool textured) {
  if (slices < 2 || stacks < 1 || slices > kMaxFacets || stacks > kMaxFacets) return false;
  return textured || stacks <= slices;
}

// Each place on the grid is one vertex, whichever fans and bands share it. Without texture
// coordinates the last slice is the first one again.
int16_t SphereMesh::AddVertex(int32_t slice, int32_t ring) {
  if (!textured_ && slice == slices_) slice = 0;
  int16_t& index = grid_[static_cast<std::size_t>(ring) * (slices_ + 1) + slice];
  if (index < 0) index = NewVertex(slice, ring);
  return index;
}

int16_t SphereMesh::NewVertex(int32_t slice, int32_t ring) {
  const auto normalSin = static_cast<float>(ringSin_[ring]);
  const auto normalCos = static_cast<float>(ringCos_[ring]);
  normals_.insert(normals_.end(),
                  {sliceSin_[slice] * normalSin, sliceCos_[slice] * normalSin, normalCos});
  if (textured_) {
    texCoords_.push_back(1 - static_cast<float>(slice) / static_cast<float>(slices_));
    texCoords_.push_back(1 - static_cast<float>(ring) / static_cast<float>(stacks_));
  }
  vertices_.push_back({static_cast<int16_t>(slice), static_cast<int16_t>(ring)});
  return static_cast<int16_t>(vertices_.size() - 1);
}

// A pole of its own, with the normal of the given place on the grid.
int16_t SphereMesh::AddApex(int16_t which, int32_t normalSlice, int32_t normalRing) {
  const int16_t index = NewVertex(normalSlice, normalRing);
  vertices_[index].Ring = which;
  return index;
}

// A triangle fan round the pole: downwards from the top pole the slices run backwards, so
// that both caps face outwards.
void SphereMesh::AddFan(int16_t apex, int32_t ring, bool downwards) {
  int16_t previous = -1;
  for (int32_t step = 0; step <= slices_; ++step) {
    const int16_t next = AddVertex(downwards ? slices_ - step : step, ring);
    if (previous >= 0) AddTriangle(apex, previous, next);
    previous = next;
  }
}

// The band between ring + 1 and ring as a quad strip whose pairs list ring + 1 first; each
// quad (a, b, d, c) becomes the triangles (a, b, d) and (c, a, d).
void SphereMesh::AddQuadStrip(int32_t ring) {
  int16_t a = AddVertex(0, ring + 1);
  int16_t b = AddVertex(0, ring);
  for (int32_t slice = 1; slice <= slices_; ++slice) {
    const int16_t c = AddVertex(slice, ring + 1);
    const int16_t d = AddVertex(slice, ring);
    AddTriangle(a, b, d);
    AddTriangle(c, a, d);
    a = c;
    b = d;
  }
}

// The corners of a ring on a pole all lie on the pole: a triangle with two of them there
// has no area and draws nothing.
bool SphereMesh::OnPole(int16_t vertex) const {
  const int16_t ring = vertices_[vertex].Ring;
  return ring == 0 || ring == stacks_;
}

void SphereMesh::AddTriangle(int16_t a, int16_t b, int16_t c) {
  if (OnPole(a) + OnPole(b) + OnPole(c) >= 2) return;
  triangles_.insert(triangles_.end(),
                    {static_cast<uint16_t>(a), static_cast<uint16_t>(b), static_cast<uint16_t>(c)});
}

void SphereMesh::FillVertices(double radius, float* out) const {
  // Per ring: the radius times the sine and cosine of its angle, rounded once; the poles'
  // rings come to a point.
  float ringSin[kMaxFacets + 1];
  float ringCos[kMaxFacets + 1];
  for (int32_t j = 0; j <= stacks_; ++j) {
    ringSin[j] = static_cast<float>(radius * ringSin_[j]);
    ringCos[j] = static_cast<float>(radius * ringCos_[j]);
  }
  ringSin[0] = 0;
  ringSin[stacks_] = 0;

  const float* normal = normals_.data();
  const float* texCoord = texCoords_.data();
  for (const Vertex& v : vertices_) {
    if (v.Ring < 0) {
      out[0] = 0;
      out[1] = 0;
      out[2] = static_cast<float>(v.Ring == kTopApex ? radius : -radius);
    } else {
      out[0] = ringSin[v.Ring] * sliceSin_[v.Slice];
      out[1] = ringSin[v.Ring] * sliceCos_[v.Slice];
      out[2] = ringCos[v.Ring];
    }
    out[kNormalAt] = normal[0];
    out[kNormalAt + 1] = normal[1];
    out[kNormalAt + 2] = normal[2];
    normal += 3;
    if (textured_) {
      out[kTexCoordAt] = texCoord[0];
      out[kTexCoordAt + 1] = texCoord[1];
      texCoord += 2;
    } else {
      out[kTexCoordAt] = 0;
      out[kTexCoordAt + 1] = 0;
    }
    out += kStride;
  }
}

const SphereMesh* SphereMeshCache::Find(int32_t slices, int32_t stacks, bool textured) {
  if (!SphereMesh::Reproducible(slices, stacks, textured)) return nullptr;
  constexpr std::size_t kSide = SphereMesh::kMaxFacets + 1;
  if (meshes_.empty()) meshes_.resize(2 * kSide * kSide);
  const std::size_t index =
      (static_cast<std::size_t>(textured) * kSide + static_cast<std::size_t>(slices)) * kSide +
      static_cast<std::size_t>(stacks);
  if (!meshes_[index]) meshes_[index] = std::make_unique<SphereMesh>(slices, stacks, textured);
  return meshes_[index].get();
}
