// The vertex-array sphere against the system's own gluSphere, value for value. This program
// defines the immediate-mode calls GLU's sphere makes (glBegin, glEnd, glVertex3f,
// glNormal3f, glTexCoord2f) and exports them, so libGLU's calls bind to these definitions
// and the test sees exactly what GLU would send to GL. Each fan and quad strip is split into
// triangles by the rule the renderer uses; every triangle must then be the mesh's triangle
// of the same place, with every position, normal and texture coordinate equal bit for bit;
// only the triangles with two corners on a pole, which cover nothing, are not drawn.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "render/sphere_mesh.h"
#include "unit/test_data.h"

namespace {

struct CapturedVertex {
  float Position[3];
  float Normal[3];
  float TexCoord[2];
};

struct Primitive {
  GLenum Mode;
  std::vector<CapturedVertex> Vertices;
};

// What GLU sent since the last Reset.
struct Capture {
  std::vector<Primitive> Primitives;
  float Normal[3] = {};
  float TexCoord[2] = {};
  int Unexpected = 0;  // calls outside glBegin/glEnd that should not be there
};
Capture gCapture;

}  // namespace

extern "C" {
void GLAPIENTRY glBegin(GLenum mode) {
  gCapture.Primitives.push_back({mode, {}});
}
void GLAPIENTRY glEnd() {}
void GLAPIENTRY glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  gCapture.Normal[0] = x;
  gCapture.Normal[1] = y;
  gCapture.Normal[2] = z;
}
void GLAPIENTRY glTexCoord2f(GLfloat s, GLfloat t) {
  gCapture.TexCoord[0] = s;
  gCapture.TexCoord[1] = t;
}
void GLAPIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (gCapture.Primitives.empty()) {
    ++gCapture.Unexpected;
    return;
  }
  CapturedVertex v{{x, y, z}, {}, {}};
  std::memcpy(v.Normal, gCapture.Normal, sizeof v.Normal);
  std::memcpy(v.TexCoord, gCapture.TexCoord, sizeof v.TexCoord);
  gCapture.Primitives.back().Vertices.push_back(v);
}
}

namespace {

using Triangle = std::vector<CapturedVertex>;

// GL's order: a fan's triangles share its first vertex; a quad strip's quad (a, b, d, c),
// listed a b c d, becomes (a, b, d) and (c, a, d).
std::vector<Triangle> Triangles(const std::vector<Primitive>& primitives) {
  std::vector<Triangle> triangles;
  for (const Primitive& p : primitives) {
    const auto& v = p.Vertices;
    if (p.Mode == GL_TRIANGLE_FAN) {
      for (std::size_t i = 1; i + 1 < v.size(); ++i) triangles.push_back({v[0], v[i], v[i + 1]});
    } else if (p.Mode == GL_QUAD_STRIP) {
      for (std::size_t i = 0; i + 3 < v.size(); i += 2) {
        triangles.push_back({v[i], v[i + 1], v[i + 3]});
        triangles.push_back({v[i + 2], v[i], v[i + 3]});
      }
    } else {
      ADD_FAILURE() << "GLU drew a primitive of mode " << p.Mode;
    }
  }
  return triangles;
}

std::vector<Triangle> MeshTriangles(const SphereMesh& mesh, double radius) {
  std::vector<float> vertices(mesh.VertexCount() * SphereMesh::kStride);
  mesh.FillVertices(radius, vertices.data());
  std::vector<Triangle> triangles;
  const std::vector<uint16_t>& indices = mesh.Triangles();
  for (std::size_t i = 0; i < indices.size(); i += 3) {
    Triangle triangle;
    for (std::size_t k = 0; k < 3; ++k) {
      const float* vertex = &vertices.at(indices[i + k] * SphereMesh::kStride);
      CapturedVertex v{};
      std::memcpy(v.Position, vertex, sizeof v.Position);
      std::memcpy(v.Normal, vertex + SphereMesh::kNormalAt, sizeof v.Normal);
      std::memcpy(v.TexCoord, vertex + SphereMesh::kTexCoordAt, sizeof v.TexCoord);
      triangle.push_back(v);
    }
    triangles.push_back(triangle);
  }
  return triangles;
}

bool SamePlace(const CapturedVertex& a, const CapturedVertex& b) {
  return a.Position[0] == b.Position[0] && a.Position[1] == b.Position[1] &&
         a.Position[2] == b.Position[2];
}

// Two corners in one place (on a pole): the triangle covers nothing, and the mesh leaves
// it out.
std::vector<Triangle> WithArea(const std::vector<Triangle>& triangles) {
  std::vector<Triangle> kept;
  for (const Triangle& t : triangles) {
    if (!SamePlace(t[0], t[1]) && !SamePlace(t[1], t[2]) && !SamePlace(t[0], t[2])) {
      kept.push_back(t);
    }
  }
  return kept;
}

// Bit for bit: a -0 where GLU has +0 is a difference too.
bool Same(const float* a, const float* b, std::size_t count) {
  return std::memcmp(a, b, count * sizeof(float)) == 0;
}

std::string Show(const float* values, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += (i ? " " : "") + std::to_string(values[i]);
  return text;
}

struct Range {
  int First;
  int Last;
};

Range ParseRange(const std::string& text) {
  const std::size_t dots = text.find("..");
  if (dots == std::string::npos) return {std::stoi(text), std::stoi(text)};
  return {std::stoi(text.substr(0, dots)), std::stoi(text.substr(dots + 2))};
}

void ExpectMeshIsGluSphere(int slices, int stacks, bool textured, double radius) {
  SCOPED_TRACE(std::to_string(slices) + " x " + std::to_string(stacks) +
               (textured ? " textured" : " untextured") + " radius " + std::to_string(radius));
  ASSERT_TRUE(SphereMesh::Reproducible(slices, stacks, textured));
  GLUquadric* quadric = gluNewQuadric();
  gluQuadricNormals(quadric, GLU_SMOOTH);
  gluQuadricTexture(quadric, textured ? GL_TRUE : GL_FALSE);
  gCapture = Capture{};
  gluSphere(quadric, radius, slices, stacks);
  gluDeleteQuadric(quadric);
  EXPECT_EQ(gCapture.Unexpected, 0);

  const std::vector<Triangle> all = Triangles(gCapture.Primitives);
  const std::vector<Triangle> glu = WithArea(all);
  // Only a textured sphere's pole bands have such triangles, one per slice at each pole, and
  // a sphere of one stack has nothing else.
  EXPECT_EQ(all.size() - glu.size(), textured || stacks == 1 ? 2u * slices : 0u);
  const SphereMesh mesh(slices, stacks, textured);
  // One vertex per place: the grid of rings and slices (the seam's slice once without
  // texture coordinates), and the two poles of the untextured fans.
  const std::size_t rings = stacks == 1 ? 2 : stacks - 1;
  EXPECT_EQ(mesh.VertexCount(), textured ? (slices + 1u) * (stacks + 1u) : 2 + slices * rings);
  const std::vector<Triangle> ours = MeshTriangles(mesh, radius);
  ASSERT_EQ(ours.size(), glu.size());
  for (std::size_t t = 0; t < glu.size(); ++t) {
    for (std::size_t k = 0; k < 3; ++k) {
      const CapturedVertex& a = glu[t][k];
      const CapturedVertex& b = ours[t][k];
      ASSERT_TRUE(Same(a.Position, b.Position, 3))
          << "triangle " << t << " vertex " << k << ": GLU " << Show(a.Position, 3) << ", ours "
          << Show(b.Position, 3);
      ASSERT_TRUE(Same(a.Normal, b.Normal, 3))
          << "triangle " << t << " vertex " << k << " normal: GLU " << Show(a.Normal, 3)
          << ", ours " << Show(b.Normal, 3);
      if (textured) {
        ASSERT_TRUE(Same(a.TexCoord, b.TexCoord, 2))
            << "triangle " << t << " vertex " << k << " texture: GLU " << Show(a.TexCoord, 2)
            << ", ours " << Show(b.TexCoord, 2);
      }
    }
  }
}

TEST(SphereMeshAgainstGlu, EveryTriangleHasGlusVerticesNormalsAndTextureCoordinates) {
  const auto rows = ReadTestTable("sphere_mesh_glu_cases.txt");
  ASSERT_FALSE(rows.empty());
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 4u);
    const Range slices = ParseRange(row[0]);
    const Range stacks = ParseRange(row[1]);
    for (int sl = slices.First; sl <= slices.Last; ++sl) {
      for (int st = stacks.First; st <= stacks.Last; ++st) {
        for (std::size_t r = 3; r < row.size(); ++r) {
          ExpectMeshIsGluSphere(sl, st, row[2] == "1", ParseDouble(row[r]));
        }
      }
    }
  }
}

// The quadric reads the bottom pole's normal at the slice numbered like the stack count,
// which it never computed when there are more stacks than slices: those spheres stay GLU's.
TEST(SphereMeshAgainstGlu, OnlyCountsTheArraysCanReproduceAreTakenOn) {
  EXPECT_FALSE(SphereMesh::Reproducible(3, 4, false));
  EXPECT_TRUE(SphereMesh::Reproducible(3, 4, true));
  EXPECT_TRUE(SphereMesh::Reproducible(4, 4, false));
  EXPECT_FALSE(SphereMesh::Reproducible(1, 3, true));
  EXPECT_FALSE(SphereMesh::Reproducible(3, 0, true));
  EXPECT_FALSE(SphereMesh::Reproducible(SphereMesh::kMaxFacets + 1, 3, true));
  SphereMeshCache cache;
  EXPECT_EQ(cache.Find(3, 4, false), nullptr);
  const SphereMesh* mesh = cache.Find(5, 6, true);
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(cache.Find(5, 6, true), mesh);  // made once
  EXPECT_NE(cache.Find(5, 6, false), mesh);
  EXPECT_NE(cache.Find(6, 5, true), mesh);
}

}  // namespace
