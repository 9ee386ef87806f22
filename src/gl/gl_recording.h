// The recording layer: while a GlRecorder runs, every entry of GL and GLu is a thunk that
// logs the call as one line and then forwards it to the entry it replaced (or, without a
// GL context, answers it with harmless values). Tests compare the lines; the headless
// program writes them to a file.
//
// Line format: name(arg,arg,...) with
//   - integers, enums, bitfields and booleans in decimal: glEnable(2912)
//   - floats and doubles in shortest round-trip decimal: glColor4f(1,0.7,0,0.3)
//   - float arrays of known length as [a,b,c]: glLightfv(16385,4611,[0,0,0,-9]); the length
//     follows pname (4 for colours, positions and the fog colour, 3 for the spot direction,
//     1 otherwise); a null array is `null`
//   - pixel data as its bytes, [1,2,3], when it has at most 64 of them, otherwise as
//     [N bytes fnv1a=0123456789abcdef] (64-bit FNV-1a over the tightly packed pixels)
//   - vertex array pointers as `array` (or `null`): glVertexPointer(3,5126,0,array); the
//     indices of glDrawElements as their values when there are at most 64 of them, otherwise
//     as [N indices fnv1a=0123456789abcdef] (64-bit FNV-1a over their bytes)
//   - the GLU quadric as `quadric`; ChoosePixelFormat's handles as `dc` and `pfd`; the name
//     wglGetProcAddress looks up as itself: wglGetProcAddress(wglSwapIntervalEXT)
//   - output arrays are left out: glGetFloatv(2982), glGenTextures(10),
//     glReadPixels(0,0,64,64,6408,5121)
//
// Without forwarding: gluNewQuadric returns a stable non-null dummy, glGenTextures hands out
// 1..n, glGetFloatv/glGetDoublev give the identity for the three matrix queries and zeros
// otherwise, the other queries give zeros, gluErrorString an empty string, ChoosePixelFormat
// format 1, wglGetProcAddress null (no such function), everything else 0 (glGetString and
// wglGetExtensionsStringEXT null). An extension function that a forwarded wglGetProcAddress
// finds comes back as its recording thunk, so calls through it are logged too. A null
// wglGetProcAddress (no WGL) is left null rather than thunked. An entry that had nothing behind it,
// or a GLU call on the dummy quadric, is answered the same way even while forwarding.
//
// One recorder runs at a time, on the thread that owns the GL context.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gl/gl_entries.h"

class GlRecorder {
 public:
  enum class Forwarding { Off, On };
  // Receives each line while it is valid; the recorder reuses its storage afterwards.
  using Sink = std::function<void(std::string_view line)>;

  explicit GlRecorder(Forwarding forwarding = Forwarding::Off);
  ~GlRecorder();  // stops recording
  GlRecorder(const GlRecorder&) = delete;
  GlRecorder& operator=(const GlRecorder&) = delete;

  // Saves the current tables and puts the thunks in their place. Throws std::logic_error
  // when another recorder is already running.
  void Start();
  // Puts the saved tables back. Does nothing when not recording.
  void Stop();
  bool IsRecording() const;

  void SetForwarding(Forwarding forwarding) { forwarding_ = forwarding; }
  Forwarding GetForwarding() const { return forwarding_; }

  // With a sink, lines go there and are not kept; without one they collect in Lines().
  void SetSink(Sink sink) { sink_ = std::move(sink); }

  // Appends a line of the caller's own, e.g. "SwapBuffers" between frames.
  void Mark(std::string_view line);

  const std::vector<std::string>& Lines() const { return lines_; }
  std::vector<std::string> TakeLines();
  void Clear() { lines_.clear(); }

 private:
  friend struct GlRecorderAccess;

  void Emit();

  Forwarding forwarding_;
  bool recording_ = false;
  GlEntries saved_gl_;
  GluEntries saved_glu_;
  Sink sink_;
  std::vector<std::string> lines_;
  std::string line_;  // reused for every call, so logging to a sink allocates nothing
};
