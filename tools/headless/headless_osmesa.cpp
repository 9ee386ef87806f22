// OsMesaFrames: an OffscreenWindow, a GL log and the PNG writer behind HeadlessFrames.
#include "headless_osmesa.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "gl/gl_recording.h"
#include "png_writer.h"
#include "render/headless_offscreen.h"

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

class OsMesaFrames final : public HeadlessFrames {
 public:
  OsMesaFrames(const HeadlessOptions& options, std::ostream& err)
      : err_(err), window_(options.Size.Width, options.Size.Height) {
    if (options.GlLogPath) log_ = std::make_unique<GlLog>(*options.GlLogPath);
    if (options.ReferenceDrawing) window_.SetDrawingMethod(DrawingMethod::Reference);
  }

  // The log starts just before InitGL, with the calls forwarded to OSMesa.
  SceneInitHooks Start() override {
    if (log_) {
      recorder_.SetSink([this](std::string_view line) { log_->Write(line); });
      recorder_.Start();
      window_.SetSwapObserver([this] { recorder_.Mark("SwapBuffers"); });
    }
    return window_.Start([this](std::string_view text, std::string_view title) {
      ReportTextureTrouble(text, title);
    });
  }

  void Draw(const Scene& scene, const std::optional<std::string>& picturePath) override {
    window_.RenderFrame(scene);
    if (picturePath) {
      WritePng(*picturePath, window_.Width(), window_.Height(), window_.ReadRgbTopDown());
    }
  }

  void Finish() override {
    recorder_.Stop();
    if (log_) log_->Close();
  }

 private:
  // The saver shows these in message boxes; here they become lines on stderr, the
  // boxes' line breaks included.
  void ReportTextureTrouble(std::string_view text, std::string_view title) {
    std::string message(text);
    std::erase(message, '\r');
    err_ << kHeadlessName << ": " << title << ": " << message << "\n";
  }

  std::ostream& err_;
  std::unique_ptr<GlLog> log_;
  OffscreenWindow window_;
  // Declared after the window so that it stops, putting the tables back, before the
  // window goes.
  GlRecorder recorder_{GlRecorder::Forwarding::On};
};

}  // namespace

std::unique_ptr<HeadlessFrames> MakeOsMesaFrames(const HeadlessOptions& options,
                                                 std::ostream& err) {
  return std::make_unique<OsMesaFrames>(options, err);
}
