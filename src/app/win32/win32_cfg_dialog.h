// The configuration dialog's native view: a fixed-border window with labels, push buttons
// and trackbars built from the dialog model's control table, scaled to the density of the
// monitor it is on, forwarding every user action to TCfgFrm.
#pragma once

#include <windows.h>

#include <array>

#include "app/win32/win32_application.h"
#include "config/cfg_dialog_model.h"
#include "config/cfg_dialog_scaling.h"

class Win32CfgDialog final : public CfgDialogView {
 public:
  Win32CfgDialog(Win32Application& app, const Settings& loaded, CfgSaveOperation save);
  ~Win32CfgDialog() override;
  Win32CfgDialog(const Win32CfgDialog&) = delete;
  Win32CfgDialog& operator=(const Win32CfgDialog&) = delete;

  // Builds the window and its controls, runs FormCreate and makes it the main window.
  void Create();
  HWND Handle() const { return window_; }
  Win32Application& Application() { return app_; }
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void ShowSliderPosition(CfgControl slider, int32_t position) override;
  void ShowLabelText(CfgControl label, const std::string& text) override;
  void ShowMessage(const std::string& text, std::string_view title, CfgMessageIcon icon) override;
  void OpenAddress(std::string_view address) override;
  void CloseDialog() override;

 private:
  void CreateWindowFrame();
  void CreateControl(const CfgControlLayout& layout);
  void ApplyDpi(UINT dpi, const RECT* suggested);
  void FitLinkToText(HWND link, const CfgBox& box, const std::wstring& text, HFONT font);
  void ArrangeTabOrder();
  void RememberFocus();
  void RestoreFocus();
  void OnCommand(HWND control, UINT code);
  void OnSliderScroll(HWND control);
  LRESULT ControlColours(HDC dc, HWND control);
  HWND ControlWindow(CfgControl id) const { return controls_[static_cast<size_t>(id)]; }
  const CfgControlLayout* LayoutOfWindow(HWND control) const;

  Win32Application& app_;
  TCfgFrm form_;
  HWND window_ = nullptr;
  std::array<HWND, kCfgControls.size()> controls_{};
  HWND focus_ = nullptr;      // the control to give the focus back to
  CfgScaledLayout scaled_{};  // the layout at the density of the dialog's monitor
  HFONT font_ = nullptr;
  HFONT linkFont_ = nullptr;
  HBRUSH background_ = nullptr;
};
