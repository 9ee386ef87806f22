// The GL state that the particle, flash and billboard passes ask for over and over (the
// texture bind, the quadric's texture switch, the shininess, the scissor box round a
// square), sent only when it changes.
// A pass asks for state exactly where the literal drawing sets it; nothing is sent then.
// Apply, called just before something is drawn, sends each wanted value that differs from
// the one GL is known to hold, so a bind followed by an unbind followed by the same bind
// sends nothing at all. Forget after anything that changes GL state behind the cache's back
// (glPopAttrib) and at the start of a frame: until a value is sent again it counts as unknown.
// The scissor test alone is known to be off then, since only the billboard passes switch it
// on, and their glPopAttrib switches it off again.
#pragma once

#include <cstdint>
#include <optional>

#include "gl/gl_types.h"
#include "render/view_frustum.h"

class DrawStateCache {
 public:
  explicit DrawStateCache(GLUquadric* quadric) : quadric_(quadric) {}

  // What BindObjectLinear of the texture operations does: the slot's texture bound,
  // object-linear coordinate generation, texturing on. Generation itself stays as it was.
  void BindObjectLinear(int32_t slot);
  // What UnbindTexture does: texturing and coordinate generation off.
  void UnbindTexture();
  void SetFrontShininess(GLfloat shininess);
  void SetQuadricTexture(bool textured);
  // The window pixels that what is drawn next may change: a box, or all of them.
  void ClipTo(const std::optional<WindowBox>& box);

  // Sends what is wanted and not known to be current.
  void Apply();
  // Starts over: nothing is known to be current and nothing is wanted.
  void Forget();

 private:
  // One piece of state: what the drawing wants (nothing: leave it as it is) and what GL is
  // known to hold (nothing: unknown).
  template <typename T>
  struct Setting {
    std::optional<T> Wanted;
    std::optional<T> Known;
    bool NeedsSending() const { return Wanted && Wanted != Known; }
    void Sent() { Known = Wanted; }
  };

  void ApplyEnable(Setting<bool>& setting, GLenum capability);

  GLUquadric* quadric_;
  Setting<GLuint> boundTexture_;
  Setting<GLint> generationMode_;  // the same for S and T
  Setting<bool> texturing_;
  Setting<bool> generationS_;
  Setting<bool> generationT_;
  Setting<uint32_t> frontShininessBits_;  // compared bit for bit, sent as the float
  Setting<bool> quadricTexture_;
  Setting<bool> scissorTest_{std::nullopt, false};
  Setting<WindowBox> scissorBox_;
};
