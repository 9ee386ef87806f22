// The recording layer: the text of logged calls, their order, forwarding to the entries it
// replaced, the answers it gives without a GL context, and restoring the tables.
#include "gl/gl_recording.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

namespace {

using ::testing::ElementsAre;

// Keeps the process-wide tables as they were before each test.
class GlTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_gl_ = GL;
    saved_glu_ = GLu;
  }
  void TearDown() override {
    GL = saved_gl_;
    GLu = saved_glu_;
  }

 private:
  GlEntries saved_gl_;
  GluEntries saved_glu_;
};

// Stand-ins for a real GL, to see what the recorder forwards.
std::vector<std::string> gFakeCalls;

void ORVANTA_GLAPI FakeEnable(GLenum cap) {
  gFakeCalls.push_back("enable " + std::to_string(cap));
}
GLenum ORVANTA_GLAPI FakeGetError() {
  return GL_INVALID_OPERATION;
}
void ORVANTA_GLAPI FakeGetFloatv(GLenum, GLfloat* params) {
  params[0] = 42.5f;
}
void ORVANTA_GLAPI FakeLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  gFakeCalls.push_back("light " + std::to_string(light) + " " + std::to_string(pname) + " " +
                       std::to_string(params[3]));
}
GLUquadric* FakeQuadric() {
  return reinterpret_cast<GLUquadric*>(std::uintptr_t{0x1000});
}
GLUquadric* ORVANTA_GLAPI FakeNewQuadric() {
  return FakeQuadric();
}
void ORVANTA_GLAPI FakeSphere(GLUquadric* q, GLdouble radius, GLint, GLint) {
  gFakeCalls.push_back(std::string(q == FakeQuadric() ? "sphere " : "sphere on another ") +
                       std::to_string(radius));
}
int ORVANTA_GLAPI FakeChoosePixelFormat(void*, const void*) {
  return 7;
}

class GlRecorderFormat : public GlTablesTest {
 protected:
  void SetUp() override {
    GlTablesTest::SetUp();
    recorder_.Start();
  }
  std::string Last() const { return recorder_.Lines().back(); }
  GlRecorder recorder_;
};

TEST_F(GlRecorderFormat, LightArrayLineMatchesTheDocumentedExample) {
  const GLfloat position[4] = {0, 0, 0, -9};
  GL.glLightfv(GL_LIGHT1, GL_POSITION, position);
  EXPECT_EQ(Last(), "glLightfv(16385,4611,[0,0,0,-9])");
}

TEST_F(GlRecorderFormat, ArrayLengthFollowsTheParameterName) {
  const GLfloat values[5] = {0.25f, 0.5f, -2, 1, 99};
  GL.glLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, values);
  GL.glLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, values);
  GL.glMaterialfv(GL_FRONT, GL_SPECULAR, values);
  GL.glMaterialfv(GL_FRONT, GL_SHININESS, values);
  GL.glFogfv(GL_FOG_COLOR, values);
  GL.glFogfv(GL_FOG_DENSITY, values);
  GL.glFogfv(GL_FOG_COLOR, nullptr);
  EXPECT_THAT(
      recorder_.Lines(),
      ElementsAre("glLightfv(16386,4612,[0.25,0.5,-2])", "glLightfv(16386,4614,[0.25])",
                  "glMaterialfv(1028,4610,[0.25,0.5,-2,1])", "glMaterialfv(1028,5633,[0.25])",
                  "glFogfv(2918,[0.25,0.5,-2,1])", "glFogfv(2914,[0.25])", "glFogfv(2918,null)"));
}

TEST_F(GlRecorderFormat, FloatsAreShortestRoundTripOfTheirOwnPrecision) {
  GL.glColor4f(1.0f, 0.7f, 0.0f, 0.3f);
  EXPECT_EQ(Last(), "glColor4f(1,0.7,0,0.3)");
  GL.glFogf(GL_FOG_DENSITY, 0.0015f);
  EXPECT_EQ(Last(), "glFogf(2914,0.0015)");
  GL.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, 8448.0f);
  EXPECT_EQ(Last(), "glTexEnvf(8960,8704,8448)");
  GLu.gluPerspective(50.0, 800.0 / 600.0, 0.2, 1500.0);
  EXPECT_EQ(Last(), "gluPerspective(50,1.3333333333333333,0.2,1500)");
  GL.glRotated(-1e-7, 1, 0, 0);
  EXPECT_EQ(Last(), "glRotated(-1e-07,1,0,0)");
  GL.glTranslatef(-0.0f, INFINITY, 1e30f);
  EXPECT_EQ(Last(), "glTranslatef(-0,inf,1e+30)");
}

TEST_F(GlRecorderFormat, IntegersEnumsMasksAndBooleansAreDecimal) {
  GL.glViewport(-3, 0, 800, 600);
  GL.glPushAttrib(GL_ALL_ATTRIB_BITS);
  GL.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  GL.glDepthMask(GL_FALSE);
  GL.glDepthMask(GL_TRUE);
  GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  GL.glPopAttrib();
  EXPECT_THAT(recorder_.Lines(), ElementsAre("glViewport(-3,0,800,600)", "glPushAttrib(1048575)",
                                             "glClear(16640)", "glDepthMask(0)", "glDepthMask(1)",
                                             "glTexParameteri(3553,10242,10497)", "glPopAttrib()"));
}

TEST_F(GlRecorderFormat, QuadricShowsAsAWordAndOutputArraysAreLeftOut) {
  GLUquadric* quadric = GLu.gluNewQuadric();
  GLu.gluSphere(quadric, 1.5, 20, 20);
  GLu.gluQuadricTexture(quadric, GL_TRUE);
  GLuint names[10];
  GL.glGenTextures(10, names);
  GLfloat matrix[16];
  GL.glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  GLint value;
  GL.glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &value);
  unsigned char pixels[4];
  GL.glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  GL.ChoosePixelFormat(nullptr, nullptr);
  EXPECT_THAT(
      recorder_.Lines(),
      ElementsAre("gluNewQuadric()", "gluSphere(quadric,1.5,20,20)", "gluQuadricTexture(quadric,1)",
                  "glGenTextures(10)", "glGetFloatv(2982)", "glGetTexLevelParameteriv(3553,2,4096)",
                  "glReadPixels(0,0,1,1,6408,5121)", "ChoosePixelFormat(dc,pfd)"));
}

TEST_F(GlRecorderFormat, SmallPixelUploadsListTheirBytes) {
  const unsigned char rgb[6] = {3, 2, 1, 3, 2, 255};
  GL.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  EXPECT_EQ(Last(), "glTexImage2D(3553,0,6407,2,1,0,6407,5121,[3,2,1,3,2,255])");
  const unsigned char rgba[4] = {30, 20, 10, 40};
  GLu.gluBuild2DMipmaps(GL_TEXTURE_2D, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  EXPECT_EQ(Last(), "gluBuild2DMipmaps(3553,4,1,1,6408,5121,[30,20,10,40])");
  GL.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  EXPECT_EQ(Last(), "glTexImage2D(3553,0,6408,64,64,0,6408,5121,null)");
}

TEST_F(GlRecorderFormat, LargePixelUploadsShowSizeAndHash) {
  std::vector<unsigned char> pixels(75);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
  // 5 x 5 RGB pixels, 75 bytes; the hash is the standard 64-bit FNV-1a of those bytes.
  GL.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 5, 5, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  EXPECT_EQ(Last(), "glTexImage2D(3553,0,6407,5,5,0,6407,5121,[75 bytes fnv1a=d20236c1a23f155a])");
  GLu.gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 5, 5, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  EXPECT_EQ(Last(), "gluBuild2DMipmaps(3553,3,5,5,6407,5121,[75 bytes fnv1a=d20236c1a23f155a])");

  pixels[74] ^= 1;  // one bit of the last byte is enough to tell the uploads apart
  GL.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 5, 5, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  EXPECT_NE(Last(), recorder_.Lines()[0]);
}

TEST_F(GlRecorderFormat, UploadsGLWouldRefuseAreNotRead) {
  const unsigned char pixel[4] = {1, 2, 3, 4};
  GL.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1000000, 1000000, 0, GL_RGB, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(Last(), "glTexImage2D(3553,0,6407,1000000,1000000,0,6407,5121,[bad size])");
  GL.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, -1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(Last(), "glTexImage2D(3553,0,6407,-1,1,0,6407,5121,[bad size])");
  GL.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, 12345, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(Last(), "glTexImage2D(3553,0,6407,1,1,0,12345,5121,[unknown layout])");
}

// Array pointers are addresses that differ from run to run; indices are data like pixels.
TEST_F(GlRecorderFormat, VertexArraysLogNoAddressesAndTheirIndicesAsData) {
  const float positions[6] = {0, 1, 2, 3, 4, 5};
  GL.glVertexPointer(3, GL_FLOAT, 0, positions);
  GL.glNormalPointer(GL_FLOAT, 12, positions);
  GL.glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  GL.glEnableClientState(GL_VERTEX_ARRAY);
  GL.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  const uint16_t triangle[3] = {2, 0, 65535};
  GL.glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, triangle);
  const uint8_t bytes[2] = {7, 255};
  GL.glDrawElements(GL_TRIANGLES, 2, GL_UNSIGNED_BYTE, bytes);
  const uint32_t wide[1] = {4000000000u};
  GL.glDrawElements(GL_POINTS, 1, GL_UNSIGNED_INT, wide);
  GL.glDrawElements(GL_TRIANGLES, 3, GL_FLOAT, triangle);
  GL.glDrawElements(GL_TRIANGLES, -3, GL_UNSIGNED_SHORT, triangle);
  GL.glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, nullptr);
  EXPECT_THAT(
      recorder_.Lines(),
      ElementsAre("glVertexPointer(3,5126,0,array)", "glNormalPointer(5126,12,array)",
                  "glTexCoordPointer(2,5126,0,null)", "glEnableClientState(32884)",
                  "glDisableClientState(32888)", "glDrawElements(4,3,5123,[2,0,65535])",
                  "glDrawElements(4,2,5121,[7,255])", "glDrawElements(0,1,5125,[4000000000])",
                  "glDrawElements(4,3,5126,[unknown layout])",
                  "glDrawElements(4,-3,5123,[bad count])", "glDrawElements(4,3,5123,null)"));
}

TEST_F(GlRecorderFormat, LongIndexListsShowCountAndHash) {
  std::vector<uint16_t> indices(65);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint16_t>(i * 3);
  GL.glDrawElements(GL_TRIANGLES, 64, GL_UNSIGNED_SHORT, indices.data());
  EXPECT_EQ(Last().find("glDrawElements(4,64,5123,[0,3,6,"), 0u) << Last();
  GL.glDrawElements(GL_TRIANGLES, 65, GL_UNSIGNED_SHORT, indices.data());
  // FNV-1a over the 130 bytes, low byte of each index first as they lie in memory.
  EXPECT_EQ(Last(), "glDrawElements(4,65,5123,[65 indices fnv1a=c742f634d7fcb2ed])");
}

class GlRecorderOrder : public GlTablesTest {};

TEST_F(GlRecorderOrder, CallsOfBothTablesAndMarksAreLoggedInOrder) {
  GlRecorder recorder;
  recorder.Start();
  GL.glMatrixMode(GL_PROJECTION);
  GL.glLoadIdentity();
  GLu.gluPerspective(120.0, 2.0, 0.2, 1000.0);
  recorder.Mark("SwapBuffers");
  GL.glMatrixMode(GL_MODELVIEW);
  EXPECT_THAT(recorder.Lines(),
              ElementsAre("glMatrixMode(5889)", "glLoadIdentity()",
                          "gluPerspective(120,2,0.2,1000)", "SwapBuffers", "glMatrixMode(5888)"));
}

TEST_F(GlRecorderOrder, SinkReceivesLinesInsteadOfTheList) {
  std::vector<std::string> received;
  GlRecorder recorder;
  recorder.SetSink([&](std::string_view line) { received.emplace_back(line); });
  recorder.Start();
  GL.glEnable(GL_FOG);
  recorder.Mark("SwapBuffers");
  EXPECT_THAT(received, ElementsAre("glEnable(2912)", "SwapBuffers"));
  EXPECT_TRUE(recorder.Lines().empty());
}

TEST_F(GlRecorderOrder, TakeLinesHandsOverAndStartsAfresh) {
  GlRecorder recorder;
  recorder.Start();
  GL.glEnable(GL_BLEND);
  EXPECT_THAT(recorder.TakeLines(), ElementsAre("glEnable(3042)"));
  GL.glDisable(GL_BLEND);
  EXPECT_THAT(recorder.Lines(), ElementsAre("glDisable(3042)"));
}

class GlRecorderForwarding : public GlTablesTest {
 protected:
  void SetUp() override {
    GlTablesTest::SetUp();
    gFakeCalls.clear();
    GL = GlEntries{};
    GLu = GluEntries{};
    GL.glEnable = &FakeEnable;
    GL.glGetError = &FakeGetError;
    GL.glGetFloatv = &FakeGetFloatv;
    GL.glLightfv = &FakeLightfv;
    GL.ChoosePixelFormat = &FakeChoosePixelFormat;
    GLu.gluNewQuadric = &FakeNewQuadric;
    GLu.gluSphere = &FakeSphere;
  }
};

TEST_F(GlRecorderForwarding, ForwardedCallsReachTheSavedEntriesWithTheirResults) {
  GlRecorder recorder(GlRecorder::Forwarding::On);
  recorder.Start();
  GL.glEnable(GL_LIGHTING);
  const GLfloat position[4] = {50, -20, 10, 1};
  GL.glLightfv(GL_LIGHT0, GL_POSITION, position);
  EXPECT_EQ(GL.glGetError(), GL_INVALID_OPERATION);
  GLfloat value = 0;
  GL.glGetFloatv(GL_FOG_DENSITY, &value);
  EXPECT_EQ(value, 42.5f);
  GLUquadric* quadric = GLu.gluNewQuadric();
  EXPECT_EQ(quadric, FakeQuadric());
  GLu.gluSphere(quadric, 2.0, 3, 3);
  EXPECT_EQ(GL.ChoosePixelFormat(nullptr, nullptr), 7);
  EXPECT_THAT(gFakeCalls,
              ElementsAre("enable 2896", "light 16384 4611 1.000000", "sphere 2.000000"));
  EXPECT_EQ(recorder.Lines().size(), 7u);
}

TEST_F(GlRecorderForwarding, NothingIsForwardedWhenForwardingIsOff) {
  GlRecorder recorder(GlRecorder::Forwarding::Off);
  recorder.Start();
  GL.glEnable(GL_LIGHTING);
  EXPECT_EQ(GL.glGetError(), GL_NO_ERROR);
  GLUquadric* quadric = GLu.gluNewQuadric();
  EXPECT_NE(quadric, FakeQuadric());
  GLu.gluSphere(quadric, 2.0, 3, 3);
  EXPECT_TRUE(gFakeCalls.empty());

  recorder.SetForwarding(GlRecorder::Forwarding::On);
  GL.glEnable(GL_FOG);
  EXPECT_THAT(gFakeCalls, ElementsAre("enable 2912"));
  EXPECT_THAT(recorder.Lines(), ElementsAre("glEnable(2896)", "glGetError()", "gluNewQuadric()",
                                            "gluSphere(quadric,2,3,3)", "glEnable(2912)"));
}

TEST_F(GlRecorderForwarding, EntriesWithNothingBehindThemAndTheDummyQuadricAreNotForwarded) {
  GlRecorder recorder(GlRecorder::Forwarding::Off);
  recorder.Start();
  GLUquadric* dummy = GLu.gluNewQuadric();
  recorder.SetForwarding(GlRecorder::Forwarding::On);
  GL.glDisable(GL_LIGHTING);  // no saved entry: logged, not called
  EXPECT_EQ(GL.glIsEnabled(GL_LIGHTING), GL_FALSE);
  GLu.gluSphere(dummy, 1.0, 3, 3);  // a real GLU must never see the dummy
  EXPECT_TRUE(gFakeCalls.empty());
  EXPECT_EQ(recorder.Lines().size(), 4u);
}

class GlRecorderWithoutContext : public GlTablesTest {
 protected:
  void SetUp() override {
    GlTablesTest::SetUp();
    GL = GlEntries{};
    GLu = GluEntries{};
    recorder_.Start();
  }
  GlRecorder recorder_;
};

TEST_F(GlRecorderWithoutContext, QuadricIsStableAndNotNull) {
  GLUquadric* first = GLu.gluNewQuadric();
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(GLu.gluNewQuadric(), first);
}

TEST_F(GlRecorderWithoutContext, TextureNamesAreOneToN) {
  GLuint names[11];
  names[10] = 777;
  GL.glGenTextures(10, names);
  for (GLuint i = 0; i < 10; ++i) EXPECT_EQ(names[i], i + 1);
  EXPECT_EQ(names[10], 777u) << "written past the requested count";
}

TEST_F(GlRecorderWithoutContext, MatrixQueriesGiveTheIdentityAndOthersZeros) {
  for (GLenum pname : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
    GLfloat m[16];
    for (GLfloat& value : m) value = 5;
    GL.glGetFloatv(pname, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    GLdouble d[16];
    GL.glGetDoublev(pname, d);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(d[i], i % 5 == 0 ? 1.0 : 0.0) << i;
  }
  GLfloat color[5] = {5, 5, 5, 5, 5};
  GL.glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_THAT(color, ElementsAre(0, 0, 0, 0, 5));
  GLint viewport[5] = {5, 5, 5, 5, 5};
  GL.glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_THAT(viewport, ElementsAre(0, 0, 0, 0, 5));
}

TEST_F(GlRecorderWithoutContext, ValueReturningCallsAnswerHarmlessly) {
  EXPECT_EQ(GL.glGetError(), GL_NO_ERROR);
  EXPECT_EQ(GL.glIsEnabled(GL_FOG), GL_FALSE);
  const unsigned char pixel[3] = {1, 2, 3};
  EXPECT_EQ(GLu.gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel), 0);
  const GLubyte* text = GLu.gluErrorString(GLU_INVALID_ENUM);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text[0], 0);
  EXPECT_NE(GL.ChoosePixelFormat(nullptr, nullptr), 0);
}

class GlRecorderLifetime : public GlTablesTest {};

std::vector<std::string> ChangedEntries(const GlEntries& now, const GlEntries& before) {
  std::vector<std::string> changed;
#define ORVANTA_COMPARE_ENTRY(ret, name, params, args) \
  if (now.name != before.name) changed.push_back(#name);
  ORVANTA_GL_FUNCTIONS(ORVANTA_COMPARE_ENTRY)
  ORVANTA_WGL_EXTENSION_FUNCTIONS(ORVANTA_COMPARE_ENTRY)
  if (now.ChoosePixelFormat != before.ChoosePixelFormat) changed.push_back("ChoosePixelFormat");
  if (now.wglGetProcAddress != before.wglGetProcAddress) changed.push_back("wglGetProcAddress");
  return changed;
}

std::vector<std::string> ChangedEntries(const GluEntries& now, const GluEntries& before) {
  std::vector<std::string> changed;
  ORVANTA_GLU_FUNCTIONS(ORVANTA_COMPARE_ENTRY)
#undef ORVANTA_COMPARE_ENTRY
  return changed;
}

TEST_F(GlRecorderLifetime, StopPutsBackEveryEntry) {
  GL = GlEntries{};
  GLu = GluEntries{};
  GL.glEnable = &FakeEnable;
  GLu.gluSphere = &FakeSphere;
  const GlEntries glBefore = GL;
  const GluEntries gluBefore = GLu;
  GlRecorder recorder;
  recorder.Start();
  EXPECT_NE(GL.glEnable, glBefore.glEnable);
  EXPECT_NE(GL.glDisable, nullptr);
  EXPECT_NE(GLu.gluDisk, nullptr);
  recorder.Stop();
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_THAT(ChangedEntries(GL, glBefore), ElementsAre());
  EXPECT_THAT(ChangedEntries(GLu, gluBefore), ElementsAre());
  GL.glEnable(GL_FOG);  // reaches the fake directly again, with nothing logged
  EXPECT_TRUE(recorder.Lines().empty());
}

TEST_F(GlRecorderLifetime, DestroyingARunningRecorderRestoresTheTables) {
  GL = GlEntries{};
  {
    GlRecorder recorder;
    recorder.Start();
    EXPECT_NE(GL.glEnable, nullptr);
  }
  EXPECT_EQ(GL.glEnable, nullptr);
}

TEST_F(GlRecorderLifetime, OnlyOneRecorderRunsAtATime) {
  GlRecorder first;
  GlRecorder second;
  first.Start();
  EXPECT_THROW(second.Start(), std::logic_error);
  first.Stop();
  second.Start();
  GL.glEnable(GL_FOG);
  EXPECT_THAT(second.Lines(), ElementsAre("glEnable(2912)"));
  EXPECT_TRUE(first.Lines().empty());
}

}  // namespace
