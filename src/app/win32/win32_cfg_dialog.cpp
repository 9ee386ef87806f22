// The configuration dialog's native Win32 window.
#include "app/win32/win32_cfg_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

#include "app/win32/win32_dpi.h"
#include "app/win32/win32_text.h"

namespace {

constexpr wchar_t kDialogClass[] = L"TCfgFrm";
// Control ids start clear of IDOK and IDCANCEL, which the dialog-key handling sends for
// Enter and Escape: neither button is the default or the cancel button.
constexpr int kFirstControlId = 100;
constexpr DWORD kDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

COLORREF ToColorRef(CfgRgb c) {
  return RGB(c.Red, c.Green, c.Blue);
}

HFONT MakeFont(bool underline, int characterHeight) {
  const std::wstring face = Utf8ToWide(kCfgForm.FontName);
  // A negative height asks for the character height, not the cell height.
  return CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

struct ControlClass {
  const wchar_t* Name;
  DWORD Style;
};

ControlClass ClassFor(const CfgControlLayout& layout) {
  switch (layout.Kind) {
    case CfgControlKind::Text:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX};
    case CfgControlKind::ValueLabel:
      return {L"STATIC", SS_RIGHT | SS_NOPREFIX};
    case CfgControlKind::Link:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY};
    case CfgControlKind::Button:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case CfgControlKind::Slider:
      return {TRACKBAR_CLASSW, TBS_HORZ | TBS_NOTICKS | TBS_BOTH | TBS_FIXEDLENGTH | WS_TABSTOP};
  }
  throw std::logic_error("unknown control kind");
}

}  // namespace

Win32CfgDialog::Win32CfgDialog(Win32Application& app, const Settings& loaded, CfgSaveOperation save)
    : app_(app), form_(*this, loaded, std::move(save)) {}

Win32CfgDialog::~Win32CfgDialog() {
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  if (font_ != nullptr) DeleteObject(font_);
  if (linkFont_ != nullptr) DeleteObject(linkFont_);
  if (background_ != nullptr) DeleteObject(background_);
}

void Win32CfgDialog::Create() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  background_ = CreateSolidBrush(ToColorRef(kCfgForm.Background));
  CreateWindowFrame();
  for (const CfgControlLayout& layout : kCfgControls) CreateControl(layout);
  ArrangeTabOrder();
  // Laid out for the monitor it opens on; WM_DPICHANGED lays it out again when it moves.
  ApplyDpi(WindowDpi(window_), nullptr);
  form_.FormCreate();
  app_.SetMainWindow(window_, SW_SHOWNORMAL);
  app_.SetDialogWindow(window_);
  // The dialog is owned by the application window, which therefore stands for the program in
  // the task bar; it sits beneath the dialog's corner.
  app_.ShowTaskbarEntry(kCfgForm.Left, kCfgForm.Top);
}

void Win32CfgDialog::CreateWindowFrame() {
  RegisterWindowClass(app_.Instance(), &WindowProcOf<Win32CfgDialog>,
                      {.Name = kDialogClass,
                       .Cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),  // IDC_ARROW
                       .Background = background_});
  // The designed place is that of the window itself, in screen pixels at any density; its
  // size follows from the client area once the density is known (ApplyDpi).
  const std::wstring caption = Utf8ToWide(kCfgForm.Caption);
  window_ = CreateWindowExW(0, kDialogClass, caption.c_str(), kDialogStyle, kCfgForm.Left,
                            kCfgForm.Top, kCfgForm.ClientWidth, kCfgForm.ClientHeight,
                            app_.Handle(), nullptr, app_.Instance(), this);
  if (window_ == nullptr) throw std::runtime_error("Could not create the configuration dialog");
}

// Everything of the designed layout in the monitor's pixels: the frame around the scaled
// client area (at `suggested`'s place when the system moved the window to another monitor),
// every control's box, the fonts and the slider thumbs.
void Win32CfgDialog::ApplyDpi(UINT dpi, const RECT* suggested) {
  scaled_ = ScaleCfgLayout(static_cast<int>(dpi));
  HFONT font = MakeFont(false, scaled_.FontHeightPixels);
  HFONT linkFont = MakeFont(true, scaled_.FontHeightPixels);
  const SIZE frame =
      FrameSizeForClient(scaled_.ClientWidth, scaled_.ClientHeight, kDialogStyle, 0, dpi);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (suggested == nullptr ? SWP_NOMOVE : 0);
  SetWindowPos(window_, nullptr, suggested != nullptr ? suggested->left : 0,
               suggested != nullptr ? suggested->top : 0, frame.cx, frame.cy, flags);
  for (const CfgControlLayout& layout : kCfgControls) {
    HWND control = ControlWindow(layout.Id);
    const CfgBox& box = scaled_.Box(layout.Id);
    SetWindowPos(control, nullptr, box.Left, box.Top, box.Width, box.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const bool link = layout.Kind == CfgControlKind::Link;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(link ? linkFont : font), TRUE);
    if (layout.Kind == CfgControlKind::Slider) {
      SendMessageW(control, TBM_SETTHUMBLENGTH, scaled_.SliderThumbLength, 0);
    } else if (link) {
      FitLinkToText(control, box, Utf8ToWide(layout.Text), linkFont);
    }
  }
  // The controls hold the new fonts now; the old ones can go.
  if (font_ != nullptr) DeleteObject(font_);
  if (linkFont_ != nullptr) DeleteObject(linkFont_);
  font_ = font;
  linkFont_ = linkFont;
}

void Win32CfgDialog::CreateControl(const CfgControlLayout& layout) {
  const ControlClass kind = ClassFor(layout);
  const std::wstring text = Utf8ToWide(layout.Text);
  const auto index = static_cast<size_t>(layout.Id);
  const auto id = static_cast<INT_PTR>(kFirstControlId + index);
  HWND control = CreateWindowExW(0, kind.Name, text.c_str(), WS_CHILD | WS_VISIBLE | kind.Style,
                                 layout.Left, layout.Top, layout.Width, layout.Height, window_,
                                 reinterpret_cast<HMENU>(id), app_.Instance(), nullptr);
  if (control == nullptr) throw std::runtime_error("Could not create the dialog's controls");
  controls_[index] = control;
  if (layout.Kind == CfgControlKind::Slider) {
    SendMessageW(control, TBM_SETRANGEMIN, FALSE, layout.Min);
    SendMessageW(control, TBM_SETRANGEMAX, FALSE, layout.Max);
    SendMessageW(control, TBM_SETLINESIZE, 0, kCfgForm.SliderLineStep);
    SendMessageW(control, TBM_SETPAGESIZE, 0, kCfgForm.SliderPageStep);
    SendMessageW(control, TBM_SETPOS, TRUE, form_.SliderPosition(layout.Id));
  } else if (layout.Kind == CfgControlKind::ValueLabel) {
    SetWindowTextW(control, Utf8ToWide(form_.LabelText(layout.Id)).c_str());
  }
}

// The maker's name and address are wider than the link's designed box, and a static control
// cuts its text at its edge; the link grows to show the whole address, keeping the margin of
// its left side on the right (nothing else shares its row).
void Win32CfgDialog::FitLinkToText(HWND link, const CfgBox& box, const std::wstring& text,
                                   HFONT font) {
  HDC dc = GetDC(link);
  if (dc == nullptr) return;
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent{};
  const bool measured =
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent) != FALSE;
  SelectObject(dc, previous);
  ReleaseDC(link, dc);
  if (!measured) return;
  const int width = std::clamp(static_cast<int>(extent.cx), box.Width,
                               std::max(box.Width, scaled_.ClientWidth - 2 * box.Left));
  SetWindowPos(link, nullptr, 0, 0, width, box.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32CfgDialog::ArrangeTabOrder() {
  // Tab follows the z-order of the tab stops: put them one after another in tab order.
  HWND previous = HWND_TOP;
  for (int tab = 0;; ++tab) {
    const CfgControlLayout* next = nullptr;
    for (const CfgControlLayout& layout : kCfgControls) {
      if (layout.TabOrder == tab) next = &layout;
    }
    if (next == nullptr) return;
    HWND control = ControlWindow(next->Id);
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
}

void Win32CfgDialog::RememberFocus() {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus)) focus_ = focus;
}

void Win32CfgDialog::RestoreFocus() {
  if (focus_ == nullptr) focus_ = GetNextDlgTabItem(window_, nullptr, FALSE);
  if (focus_ != nullptr) SetFocus(focus_);
}

const CfgControlLayout* Win32CfgDialog::LayoutOfWindow(HWND control) const {
  for (const CfgControlLayout& layout : kCfgControls) {
    if (ControlWindow(layout.Id) == control) return &layout;
  }
  return nullptr;
}

// ---- What the model asks of the view ------------------------------------------------------

void Win32CfgDialog::ShowSliderPosition(CfgControl slider, int32_t position) {
  if (HWND control = ControlWindow(slider)) SendMessageW(control, TBM_SETPOS, TRUE, position);
}

void Win32CfgDialog::ShowLabelText(CfgControl label, const std::string& text) {
  if (HWND control = ControlWindow(label)) SetWindowTextW(control, Utf8ToWide(text).c_str());
}

void Win32CfgDialog::ShowMessage(const std::string& text, std::string_view title, CfgMessageIcon) {
  ShowMessageBoxUtf8(window_, text, title, MB_OK | MB_ICONERROR);
}

void Win32CfgDialog::OpenAddress(std::string_view address) {
  const std::string target(address);
  ShellExecuteA(window_, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32CfgDialog::CloseDialog() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
}

// ---- Window procedure ------------------------------------------------------------------------

LRESULT Win32CfgDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnSliderScroll(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == ControlWindow(CfgControl::Label3)) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      // As in any dialog, the keyboard focus belongs to a control: the first in the tab order
      // when the dialog opens, and the one that had it whenever the dialog comes back.
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus();
      } else if (HIWORD(wParam) == 0) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case kWmGetDpiScaledSize: {
      // Asked before a move to a monitor of another density: the size the layout will have
      // there, so that the place the system suggests fits it exactly.
      const auto dpi = static_cast<UINT>(wParam);
      *reinterpret_cast<SIZE*>(lParam) = FrameSizeForClient(
          ScaleToDpi(kCfgForm.ClientWidth, static_cast<int>(dpi)),
          ScaleToDpi(kCfgForm.ClientHeight, static_cast<int>(dpi)), kDialogStyle, 0, dpi);
      return TRUE;
    }
    case kWmDpiChanged:
      ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      focus_ = nullptr;
      controls_.fill(nullptr);
      app_.Terminate();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Win32CfgDialog::OnCommand(HWND control, UINT code) {
  const CfgControlLayout* layout = LayoutOfWindow(control);
  if (layout == nullptr) return;  // Enter and Escape arrive as IDOK and IDCANCEL: ignored
  if (layout->Id == CfgControl::BtnZapisz && code == BN_CLICKED) form_.BtnZapiszClick();
  if (layout->Id == CfgControl::BtnAnuluj && code == BN_CLICKED) form_.BtnAnulujClick();
  if (layout->Id == CfgControl::Label3 && code == STN_CLICKED) form_.Label3Click();
}

void Win32CfgDialog::OnSliderScroll(HWND control) {
  const CfgControlLayout* layout = LayoutOfWindow(control);
  if (layout == nullptr || layout->Kind != CfgControlKind::Slider) return;
  const auto position = static_cast<int32_t>(SendMessageW(control, TBM_GETPOS, 0, 0));
  form_.SetSliderPosition(layout->Id, position);
}

LRESULT Win32CfgDialog::ControlColours(HDC dc, HWND control) {
  const CfgControlLayout* layout = LayoutOfWindow(control);
  const bool link = layout != nullptr && layout->Kind == CfgControlKind::Link;
  SetTextColor(dc, ToColorRef(link ? kCfgForm.LinkColour : kCfgForm.FontColour));
  SetBkColor(dc, ToColorRef(kCfgForm.Background));
  return reinterpret_cast<LRESULT>(background_);
}
