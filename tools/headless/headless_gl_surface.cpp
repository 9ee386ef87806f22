// HeadlessGlSurface: the OSMesa buffer, the GL log and the PNG writer behind the saver
// window's rendering steps.
#include "headless_gl_surface.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "gl/gl_entries.h"
#include "gl/gl_recording.h"
#include "gl/headless_gl_binding.h"
#include "png_writer.h"

namespace {

// The GL log file: one recorded call per line, written as the calls are made so that
// a long video run never holds its log in memory.
class GlLog {
 public:
  explicit GlLog(std::string path)
      : path_(std::move(path)), file_(path_, std::ios::binary | std::ios::trunc) {
    if (!file_) throw std::runtime_error("cannot open the GL log '" + path_ + "' for writing");
  }
  void Write(std::string_view line) {
    file_.write(line.data(), static_cast<std::streamsize>(line.size()));
    file_.put('\n');
  }
  void Close() {
    file_.close();
    // A full disk must not pass for a complete log.
    if (!file_) throw std::runtime_error("writing the GL log to '" + path_ + "' failed");
  }

 private:
  std::string path_;
  std::ofstream file_;
};

class HeadlessGlSurface final : public HeadlessSurface {
 public:
  explicit HeadlessGlSurface(const HeadlessOptions& options)
      : width_(options.Size.Width), height_(options.Size.Height) {
    if (options.GlLogPath) log_ = std::make_unique<GlLog>(*options.GlLogPath);
  }
  // The recorder stops, putting the tables back, before the buffer goes.
  ~HeadlessGlSurface() override { recorder_.Stop(); }

  bool CreateContext() override {
    try {
      buffer_ = std::make_unique<HeadlessBuffer>(width_, height_);
      return true;
    } catch (const std::runtime_error& error) {
      failure_ = error.what();
      return false;
    }
  }

  // Binds the tables to OSMesa and starts the GL log, which thus begins with the saver
  // window's first call once its context is current.
  bool MakeCurrent() override {
    try {
      buffer_->MakeCurrent();
      BindOsMesaEntries();
    } catch (const std::runtime_error& error) {
      failure_ = error.what();
      return false;
    }
    finish_ = GL.glFinish;  // OSMesa's own, never a recording thunk
    if (log_) {
      recorder_.SetSink([this](std::string_view line) { log_->Write(line); });
      recorder_.Start();
    }
    return true;
  }

  // There is no front buffer to show; the frame is done once OSMesa has drawn all of it.
  void SwapBuffers() override {
    finish_();
    if (log_) recorder_.Mark("SwapBuffers");
    SwapDone();
  }

  int32_t ClientWidth() const override { return width_; }
  int32_t ClientHeight() const override { return height_; }

  void WritePicture(const std::string& path) override {
    WritePng(path, width_, height_, buffer_->RgbTopDown());
  }

  void Finish() override {
    recorder_.Stop();
    if (log_) log_->Close();
  }

  std::string Failure() const override { return failure_; }

 private:
  int32_t width_;
  int32_t height_;
  std::unique_ptr<GlLog> log_;
  std::unique_ptr<HeadlessBuffer> buffer_;
  void(ORVANTA_GLAPI* finish_)() = nullptr;
  std::string failure_;
  GlRecorder recorder_{GlRecorder::Forwarding::On};
};

}  // namespace

std::unique_ptr<HeadlessSurface> MakeHeadlessBuffer(const HeadlessOptions& options) {
  return std::make_unique<HeadlessGlSurface>(options);
}
