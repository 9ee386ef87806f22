// The window-system seams of a headless run.
#include "headless_platform.h"

#include <stdexcept>

#include "headless_options.h"

int HeadlessApplication::Run() {
  while (true) {
    if (BeforeStep) BeforeStep();
    if (terminated_) return 0;
    clock_.Step();
    Events.RaiseIdle(this);
    if (AfterStep) AfterStep();
  }
}

void HeadlessHost::ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon) {
  // The boxes' texts break lines the Windows way; a line on a terminal needs no '\r'.
  std::string message(text);
  std::erase(message, '\r');
  err_ << kHeadlessName << ": " << title << ": " << message << "\n";
}

bool NullSurface::MakeCurrent() {
  if (!gl_.IsRecording()) {
    gl_.SetSink([](std::string_view) {});
    gl_.Start();
  }
  return true;
}

void NullSurface::WritePicture(const std::string& path) {
  throw std::runtime_error("no picture can be drawn for '" + path + "' without a GL library");
}
