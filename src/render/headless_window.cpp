// HeadlessWindow: an OSMesa surface driven like the saver window.
#include "render/headless_window.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

#include "gl/gl_entries.h"
#include "gl/headless_gl_binding.h"
#include "render/render_state.h"

HeadlessWindow::HeadlessWindow(int32_t width, int32_t height) : width_(width), height_(height) {
  try {
    surface_ = std::make_unique<HeadlessBuffer>(width, height);
    surface_->MakeCurrent();
    BindOsMesaEntries();
  } catch (const std::runtime_error& error) {
    throw RenderError(std::string("OSMesa cannot start: ") + error.what());
  }
  finish_ = GL.glFinish;
  deleteQuadric_ = GLu.gluDeleteQuadric;
  target_ = RenderTarget{width, height, [this] { Swap(); }, {}};
}

HeadlessWindow::~HeadlessWindow() {
  if (quadric_ != nullptr) deleteQuadric_(quadric_);
}

SceneInitHooks HeadlessWindow::Start(MessageSink report) {
  InitGL(width_, height_);
  if (quadric_ == nullptr) quadric_ = CreateQuadric();
  return RenderInitHooks(std::move(report));
}

void HeadlessWindow::CreateScene(Scene& scene, const Settings& settings, uint64_t seed,
                                 MessageSink report) {
  InitScene(scene, settings, seed, Start(std::move(report)));
}

void HeadlessWindow::RenderFrame(const Scene& scene) {
  if (quadric_ == nullptr) throw std::logic_error("RenderFrame before CreateScene");
  ::RenderFrame(scene, target_, quadric_, method_);
}

// There is no front buffer to show; the frame is done once OSMesa has drawn all of it.
void HeadlessWindow::Swap() {
  finish_();
  if (swapObserver_) swapObserver_();
}

std::vector<uint8_t> HeadlessWindow::ReadRgbTopDown() const {
  return surface_->RgbTopDown();
}
