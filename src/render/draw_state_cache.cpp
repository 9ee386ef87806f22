// DrawStateCache: wanted against known state, sent in the order the texture operations use.
#include "render/draw_state_cache.h"

#include <bit>

#include "gl/gl_constants.h"
#include "gl/gl_entries.h"
#include "textures/textures.h"

void DrawStateCache::BindObjectLinear(int32_t slot) {
  boundTexture_.Wanted = TextureNames.at(static_cast<std::size_t>(slot));
  generationMode_.Wanted = static_cast<GLint>(GL_OBJECT_LINEAR);
  texturing_.Wanted = true;
}

void DrawStateCache::UnbindTexture() {
  generationS_.Wanted = false;
  generationT_.Wanted = false;
  texturing_.Wanted = false;
}

void DrawStateCache::SetFrontShininess(GLfloat shininess) {
  frontShininessBits_.Wanted = std::bit_cast<uint32_t>(shininess);
}

void DrawStateCache::SetQuadricTexture(bool textured) {
  quadricTexture_.Wanted = textured;
}

void DrawStateCache::ClipTo(const std::optional<WindowBox>& box) {
  scissorTest_.Wanted = box.has_value();
  if (box) scissorBox_.Wanted = *box;
}

void DrawStateCache::Apply() {
  if (quadricTexture_.NeedsSending()) {
    GLu.gluQuadricTexture(quadric_, *quadricTexture_.Wanted ? GL_TRUE : GL_FALSE);
    quadricTexture_.Sent();
  }
  if (boundTexture_.NeedsSending()) {
    GL.glBindTexture(GL_TEXTURE_2D, *boundTexture_.Wanted);
    boundTexture_.Sent();
  }
  if (generationMode_.NeedsSending()) {
    GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, *generationMode_.Wanted);
    GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, *generationMode_.Wanted);
    generationMode_.Sent();
  }
  ApplyEnable(generationS_, GL_TEXTURE_GEN_S);
  ApplyEnable(generationT_, GL_TEXTURE_GEN_T);
  ApplyEnable(texturing_, GL_TEXTURE_2D);
  if (frontShininessBits_.NeedsSending()) {
    GL.glMaterialf(GL_FRONT, GL_SHININESS, std::bit_cast<GLfloat>(*frontShininessBits_.Wanted));
    frontShininessBits_.Sent();
  }
  ApplyEnable(scissorTest_, GL_SCISSOR_TEST);
  if (scissorTest_.Known == true && scissorBox_.NeedsSending()) {
    const WindowBox& box = *scissorBox_.Wanted;
    GL.glScissor(box.X, box.Y, box.Width, box.Height);
    scissorBox_.Sent();
  }
}

void DrawStateCache::ApplyEnable(Setting<bool>& setting, GLenum capability) {
  if (!setting.NeedsSending()) return;
  if (*setting.Wanted) {
    GL.glEnable(capability);
  } else {
    GL.glDisable(capability);
  }
  setting.Sent();
}

void DrawStateCache::Forget() {
  *this = DrawStateCache(quadric_);
}
