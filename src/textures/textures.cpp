// Texture upload and binding for the saver's three built-in images.

#include "textures/textures.h"

#include <string>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

std::array<GLuint, 10> TextureNames{};
std::array<AlphaCoverage, 10> textureCoverage{};

namespace {

constexpr std::string_view kError = "ERROR";

// A slot outside the ten names is a programming error, caught here rather than binding
// whatever lies next to the array.
GLuint NameOf(int32_t slot) {
  return TextureNames.at(static_cast<size_t>(slot));
}

void GenerateSphereMapCoordinates() {
  GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
}

void SetFiltering(int32_t mode) {
  GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // Any other mode keeps the GL's default minification filter.
  if (mode == TextureModeMipmapped)
    GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  else if (mode == TextureModeEnvironment)
    GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

}  // namespace

void GenerateTextureNames() {
  GL.glGenTextures(static_cast<GLsizei>(TextureNames.size()), TextureNames.data());
}

void LoadTexture(int32_t slot, std::string_view name, int32_t mode, const MessageSink& report) {
  // A slot whose image fails to load draws untextured, all of it.
  textureCoverage.at(static_cast<size_t>(slot)) = {};
  TgaImage image;
  if (!ReadTga(image, name, report)) {
    report("Nie wczytano textury\r\n" + std::string(name), kError);
    return;
  }
  GL.glBindTexture(GL_TEXTURE_2D, NameOf(slot));
  SetFiltering(mode);
  if (mode == TextureModeEnvironment) {
    // The environment mode belongs to the texture unit; the fixed render state set after
    // loading replaces this DECAL with MODULATE.
    GL.glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_DECAL));
    GenerateSphereMapCoordinates();
  }
  const auto width = static_cast<GLsizei>(image.Width);
  const auto height = static_cast<GLsizei>(image.Height);
  GL.glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(image.Format), width, height, 0,
                  image.Format, GL_UNSIGNED_BYTE, image.Pixels.data());
  // The mipmaps below blur alpha further out; only this mode never samples them.
  if (mode == TextureModeEnvironment)
    textureCoverage.at(static_cast<size_t>(slot)) = CoverageOf(image);
  // Every texture gets its mipmap chain, even in the mode that never samples it.
  const GLint components = static_cast<GLint>(image.BitsPerPixel / 8);
  if (GLu.gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, image.Format,
                            GL_UNSIGNED_BYTE, image.Pixels.data()) != 0)
    report("Nie utworzono mipmap", kError);
}

void LoadSceneTextures(const MessageSink& report) {
  GenerateTextureNames();
  LoadTexture(TextureSlotMeteor, "meteor", TextureModeMipmapped, report);
  LoadTexture(TextureSlotMetal, "metal", TextureModeEnvironment, report);
  LoadTexture(TextureSlotSmoke, "dym1", TextureModeEnvironment, report);
}

void BindSphereMapped(int32_t slot) {
  GL.glBindTexture(GL_TEXTURE_2D, NameOf(slot));
  GenerateSphereMapCoordinates();
  GL.glEnable(GL_TEXTURE_GEN_S);
  GL.glEnable(GL_TEXTURE_GEN_T);
  GL.glEnable(GL_TEXTURE_2D);
}

void BindObjectLinear(int32_t slot) {
  GL.glBindTexture(GL_TEXTURE_2D, NameOf(slot));
  GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  GL.glEnable(GL_TEXTURE_2D);
}

void UnbindTexture() {
  GL.glDisable(GL_TEXTURE_GEN_S);
  GL.glDisable(GL_TEXTURE_GEN_T);
  GL.glDisable(GL_TEXTURE_2D);
}
