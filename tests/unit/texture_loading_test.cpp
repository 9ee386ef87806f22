// Texture upload and the bind operations, seen as the GL and GLU calls they make (through
// the recording layer, answered without a GL context).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gl/gl_entries.h"
#include "gl/gl_recording.h"
#include "textures/alpha_coverage.h"
#include "textures/textures.h"
#include "unit/test_data.h"
#include "unit/tga_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using tga_test::Message;
using Lines = std::vector<std::string>;

// How the recorder shows an upload of a built-in image: its size and a 64-bit FNV-1a over
// the decoded pixels, so a wrong buffer or byte order shows up.
std::string PixelsOf(std::string_view name) {
  TgaImage image;
  tga_test::MessageLog log;
  EXPECT_TRUE(ReadTga(image, name, log.Sink()));
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint8_t byte : image.Pixels) hash = (hash ^ byte) * 0x100000001b3ull;
  std::string hex(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = "0123456789abcdef"[hash & 0xF];
  return "[" + std::to_string(image.Pixels.size()) + " bytes fnv1a=" + hex + "]";
}

// The calls of one successful 128 x 128 load, written out from what each mode must do.
Lines ExpectedLoad(unsigned textureName, int mode, std::string_view image, bool alpha) {
  const std::string format = alpha ? "6408" : "6407", pixels = PixelsOf(image);
  Lines lines = {"glBindTexture(3553," + std::to_string(textureName) + ")",
                 "glTexParameteri(3553,10242,10497)",                  // WRAP_S = REPEAT
                 "glTexParameteri(3553,10243,10497)",                  // WRAP_T = REPEAT
                 "glTexParameteri(3553,10240,9729)"};                  // MAG_FILTER = LINEAR
  if (mode == 0) lines.push_back("glTexParameteri(3553,10241,9987)");  // LINEAR_MIPMAP_LINEAR
  if (mode == 1)
    lines.insert(lines.end(), {"glTexParameteri(3553,10241,9729)",  // MIN_FILTER = LINEAR
                               "glTexEnvf(8960,8704,8449)",         // ENV_MODE = DECAL
                               "glTexGeni(8192,9472,9218)",         // S: SPHERE_MAP
                               "glTexGeni(8193,9472,9218)"});       // T: SPHERE_MAP
  lines.push_back("glTexImage2D(3553,0," + format + ",128,128,0," + format + ",5121," + pixels +
                  ")");
  lines.push_back("gluBuild2DMipmaps(3553," + std::string(alpha ? "4" : "3") + ",128,128," +
                  format + ",5121," + pixels + ")");
  return lines;
}

GLint ORVANTA_GLAPI FailingBuild2DMipmaps(GLenum, GLint, GLint, GLint, GLenum, GLenum,
                                          const void*) {
  return 100901;  // GLU_INVALID_VALUE
}

class Textures : public ::testing::Test {
 protected:
  void SetUp() override {
    // Names unlike the slot numbers, so that a slot used as a name shows up.
    for (size_t i = 0; i < TextureNames.size(); ++i) TextureNames[i] = 101 + i;
  }
  void TearDown() override {
    recorder_.Stop();
    GL = saved_gl_;
    GLu = saved_glu_;
  }
  Lines Calls() { return recorder_.TakeLines(); }

  GlEntries saved_gl_ = GL;
  GluEntries saved_glu_ = GLu;
  GlRecorder recorder_;
  tga_test::MessageLog log_;
};

TEST_F(Textures, EachModeSetsItsFilteringAndAlwaysBuildsMipmaps) {
  recorder_.Start();
  LoadTexture(4, "meteor", TextureModeMipmapped, log_.Sink());
  EXPECT_EQ(Calls(), ExpectedLoad(105, 0, "meteor", false));
  LoadTexture(1, "METAL", TextureModeEnvironment, log_.Sink());
  EXPECT_EQ(Calls(), ExpectedLoad(102, 1, "metal", false));
  LoadTexture(2, "dym1", TextureModeEnvironment, log_.Sink());
  EXPECT_EQ(Calls(), ExpectedLoad(103, 1, "dym1", true));
  for (int otherMode : {2, -1}) {
    LoadTexture(0, "meteor", otherMode, log_.Sink());
    EXPECT_EQ(Calls(), ExpectedLoad(101, otherMode, "meteor", false));
  }
  EXPECT_THAT(log_.Messages, IsEmpty());
}

TEST_F(Textures, AMissingImageIsReportedAndMakesNoGlCall) {
  recorder_.Start();
  LoadTexture(0, "Kamien", TextureModeMipmapped, log_.Sink());
  EXPECT_THAT(Calls(), IsEmpty());
  EXPECT_THAT(log_.Messages, ElementsAre(Message{"Could not open texture file", "ERROR"},
                                         Message{"Nie wczytano textury\r\nKamien", "ERROR"}));
}

TEST_F(Textures, AFailedMipmapBuildIsReportedAndTheUploadStays) {
  GLu.gluBuild2DMipmaps = FailingBuild2DMipmaps;
  recorder_.SetForwarding(GlRecorder::Forwarding::On);
  recorder_.Start();
  LoadTexture(0, "meteor", TextureModeMipmapped, log_.Sink());
  EXPECT_EQ(Calls(), ExpectedLoad(101, 0, "meteor", false));
  EXPECT_THAT(log_.Messages, ElementsAre(Message{"Nie utworzono mipmap", "ERROR"}));
}

TEST_F(Textures, SceneTexturesLoadInOrderIntoFreshNames) {
  recorder_.Start();
  LoadSceneTextures(log_.Sink());
  Lines expected = {"glGenTextures(10)"};  // the recorder hands out the names 1 to 10
  for (const Lines& load : {ExpectedLoad(1, 0, "meteor", false), ExpectedLoad(2, 1, "metal", false),
                            ExpectedLoad(3, 1, "dym1", true)})
    expected.insert(expected.end(), load.begin(), load.end());
  EXPECT_EQ(Calls(), expected);
  EXPECT_THAT(log_.Messages, IsEmpty());
  EXPECT_EQ(TextureNames[9], 10u);
}

TEST_F(Textures, BindOperations) {
  recorder_.Start();
  BindSphereMapped(1);
  EXPECT_THAT(Calls(), ElementsAre("glBindTexture(3553,102)", "glTexGeni(8192,9472,9218)",
                                   "glTexGeni(8193,9472,9218)", "glEnable(3168)", "glEnable(3169)",
                                   "glEnable(3553)"));
  BindObjectLinear(9);
  EXPECT_THAT(Calls(), ElementsAre("glBindTexture(3553,110)", "glTexGeni(8192,9472,9217)",
                                   "glTexGeni(8193,9472,9217)", "glEnable(3553)"));
  UnbindTexture();
  EXPECT_THAT(Calls(), ElementsAre("glDisable(3168)", "glDisable(3169)", "glDisable(3553)"));
}

TEST_F(Textures, SlotsOutsideTheTenNamesAreRefused) {
  recorder_.Start();
  EXPECT_THROW(BindSphereMapped(10), std::out_of_range);
  EXPECT_THROW(BindObjectLinear(-1), std::out_of_range);
  EXPECT_THROW(LoadTexture(10, "meteor", TextureModeMipmapped, log_.Sink()), std::out_of_range);
  EXPECT_THAT(Calls(), IsEmpty());
}

// An image from a case's texels: 'o' with alpha 255, '.' with alpha 0, or 24-bit when "rgb".
TgaImage ImageFromTexels(uint32_t width, uint32_t height, const std::string& texels) {
  TgaImage image;
  image.Width = width;
  image.Height = height;
  image.BitsPerPixel = texels == "rgb" ? 24 : 32;
  image.Pixels.assign(size_t{width} * height * image.BitsPerPixel / 8, 200);
  if (image.BitsPerPixel == 24) return image;
  size_t texel = 0;
  for (char c : texels) {
    if (c == '/') continue;
    image.Pixels.at(texel++ * 4 + 3) = c == 'o' ? 255 : 0;
  }
  EXPECT_EQ(texel, size_t{width} * height) << texels;
  return image;
}

std::string Describe(const AlphaCoverage& c) {
  return std::to_string(c.SMin) + " " + std::to_string(c.SMax) + " " + std::to_string(c.TMin) +
         " " + std::to_string(c.TMax);
}

TEST(AlphaCoverage, ReachesAsFarAsLinearFilteringCanCarryAlpha) {
  int cases = 0;
  for (const std::vector<std::string>& row : ReadTestTable("alpha_coverage_cases.txt")) {
    ASSERT_EQ(row.size(), 7u);
    const TgaImage image = ImageFromTexels(std::stoul(row[0]), std::stoul(row[1]), row[2]);
    const AlphaCoverage expected = {ParseDouble(row[3]), ParseDouble(row[4]), ParseDouble(row[5]),
                                    ParseDouble(row[6])};
    EXPECT_EQ(Describe(CoverageOf(image)), Describe(expected)) << row[2];
    ++cases;
  }
  EXPECT_GE(cases, 7);
}

// Only the smoke image, sampled from its first level alone, is known to show in part; a
// slot whose image then fails to load draws untextured, all of it.
TEST_F(Textures, CoverageIsKnownOnlyForImagesSampledFromTheirFirstLevel) {
  recorder_.Start();
  LoadSceneTextures(log_.Sink());
  EXPECT_EQ(Describe(textureCoverage[TextureSlotSmoke]),
            Describe({22.5 / 128, 109.5 / 128, 15.5 / 128, 113.5 / 128}));
  EXPECT_EQ(Describe(textureCoverage[TextureSlotMeteor]), Describe({}));
  EXPECT_EQ(Describe(textureCoverage[TextureSlotMetal]), Describe({}));
  LoadTexture(TextureSlotMeteor, "dym1", TextureModeMipmapped, log_.Sink());
  EXPECT_EQ(Describe(textureCoverage[TextureSlotMeteor]), Describe({}));
  LoadTexture(TextureSlotSmoke, "Kamien", TextureModeEnvironment, log_.Sink());
  EXPECT_EQ(Describe(textureCoverage[TextureSlotSmoke]), Describe({}));
}

}  // namespace
