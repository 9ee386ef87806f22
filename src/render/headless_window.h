// The renderer's start-up and frames on an off-screen OSMesa buffer, without the saver
// window: the pixel tests and the render benchmark draw through the very InitGL /
// InitScene / RenderFrame sequence the saver window uses (orvanta-headless runs that
// window itself). Native build only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "common/message_sink.h"
#include "gl/gl_types.h"
#include "render/scene_drawing.h"
#include "scene/scene.h"

class HeadlessBuffer;

class HeadlessWindow {
 public:
  // Creates the surface, makes it current and binds the GL tables to OSMesa. Throws
  // RenderError, saying why, when OSMesa cannot start. One window at a time: the tables
  // stay bound to the last one made.
  HeadlessWindow(int32_t width, int32_t height);
  ~HeadlessWindow();
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  // What the saver window's creation does once its context is current, up to InitScene:
  // InitGL with the surface size and the quadric. Returns the hooks for InitScene: the
  // textures (failures to `report`) and the fixed render state. Throws RenderError.
  SceneInitHooks Start(MessageSink report);
  // Start, then InitScene with its hooks. Throws RenderError or SceneError.
  void CreateScene(Scene& scene, const Settings& settings, uint64_t seed, MessageSink report);

  // One RenderFrame of `scene`; its swap waits until the picture is complete and then
  // calls the swap observer, if any.
  void RenderFrame(const Scene& scene);
  // How RenderFrame draws: the saver's own way unless told otherwise.
  void SetDrawingMethod(DrawingMethod method) { method_ = method; }
  void SetSwapObserver(const std::function<void()>& observer) { swapObserver_ = observer; }

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // The last complete picture as 8-bit R G B, top row first, as image files store it.
  std::vector<uint8_t> ReadRgbTopDown() const;

 private:
  void Swap();

  int32_t width_;
  int32_t height_;
  std::unique_ptr<HeadlessBuffer> surface_;
  // OSMesa's and GLU's own functions, never a recording thunk that may be in the tables.
  void(ORVANTA_GLAPI* finish_)() = nullptr;
  void(ORVANTA_GLAPI* deleteQuadric_)(GLUquadric*) = nullptr;
  GLUquadric* quadric_ = nullptr;
  RenderTarget target_;
  DrawingMethod method_ = DrawingMethod::Arrays;
  std::function<void()> swapObserver_;
};
