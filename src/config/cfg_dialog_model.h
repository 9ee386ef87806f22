// The configuration dialog without its window: the four sliders and their value labels,
// the button and link handlers, every text and the layout of every control. The GTK and
// Win32 views build their windows from the tables here and forward user actions to
// TCfgFrm; TCfgFrm answers through CfgDialogView.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "config/settings.h"

// ---- Texts -----------------------------------------------------------------------------

inline constexpr std::string_view kCfgCaption = "Konfiguracja screensavera";
inline constexpr std::string_view kCfgErrorTitle = "Quorvel orvanta screensaver konfiguracja";
inline constexpr std::string_view kMakerName = "Quorvel Tarnwick Fellworks";
inline constexpr std::string_view kMakerAddress = "https://quorvel-tarnwick.example/";
inline constexpr std::string_view kMakerLinkText =
    "Quorvel Tarnwick Fellworks https://quorvel-tarnwick.example/";

// ---- Layout ----------------------------------------------------------------------------

// Every control, in the order the dialog creates them.
enum class CfgControl {
  Label1,
  LabIlegwiazd,
  Label2,
  Labiledymow,
  Label4,
  Labilewybuchow,
  Label6,
  Labileswiatel,
  Label3,
  BtnAnuluj,
  trilegwiazd,
  BtnZapisz,
  triledymow,
  trilewybuchow,
  trileswiatel,
};

enum class CfgControlKind {
  Text,        // a fixed text label
  ValueLabel,  // right-aligned, shows its slider's position
  Link,        // underlined, link colour, hand cursor; a click calls Label3Click
  Button,
  Slider,  // horizontal, no ticks, plain rectangular thumb, no selection range
};

struct CfgRgb {
  uint8_t Red, Green, Blue;
};

inline constexpr int kNoTab = -1;

// One control. Positions are client pixels at 96 pixels per inch.
struct CfgControlLayout {
  CfgControl Id;
  std::string_view Name;
  CfgControlKind Kind;
  std::string_view Text;  // empty for sliders and for value labels (the model fills those)
  int Left, Top, Width, Height;
  int TabOrder = kNoTab;
  int32_t Min = 0, Max = 0, DesignPosition = 0;  // sliders only
};

namespace cfg_layout {

struct Box {
  int Left, Top, Width, Height;
};

constexpr CfgControlLayout Text(CfgControl id, std::string_view name, std::string_view text,
                                Box b) {
  return {id, name, CfgControlKind::Text, text, b.Left, b.Top, b.Width, b.Height};
}
constexpr CfgControlLayout ValueLabel(CfgControl id, std::string_view name, Box b) {
  return {id, name, CfgControlKind::ValueLabel, "", b.Left, b.Top, b.Width, b.Height};
}
constexpr CfgControlLayout Link(CfgControl id, std::string_view name, std::string_view text,
                                Box b) {
  return {id, name, CfgControlKind::Link, text, b.Left, b.Top, b.Width, b.Height};
}
constexpr CfgControlLayout Button(CfgControl id, std::string_view name, std::string_view text,
                                  Box b, int tab) {
  return {id, name, CfgControlKind::Button, text, b.Left, b.Top, b.Width, b.Height, tab};
}
// A setting's text label and its slider take their text and range from the setting.
constexpr CfgControlLayout SettingText(CfgControl id, std::string_view name,
                                       int32_t Settings::*field, Box b) {
  return Text(id, name, SettingOf(field).DialogLabel, b);
}
constexpr CfgControlLayout Slider(CfgControl id, std::string_view name, Box b, int tab,
                                  int32_t Settings::*field, int32_t designPosition) {
  CfgControlLayout slider{id,       name, CfgControlKind::Slider, "", b.Left, b.Top, b.Width,
                          b.Height, tab};
  slider.Min = SettingOf(field).Min;
  slider.Max = SettingOf(field).Max;
  slider.DesignPosition = designPosition;
  return slider;
}

}  // namespace cfg_layout

// Every control in creation order. The texts are UTF-8; a view whose toolkit wants another
// encoding converts them.
// clang-format off
inline constexpr std::array<CfgControlLayout, 15> kCfgControls{{
    cfg_layout::SettingText(CfgControl::Label1, "Label1", &Settings::MeteorCount, {8, 8, 93, 13}),
    cfg_layout::ValueLabel(CfgControl::LabIlegwiazd, "LabIlegwiazd", {463, 8, 28, 13}),
    cfg_layout::SettingText(CfgControl::Label2, "Label2", &Settings::SmokeCount, {8, 56, 77, 13}),
    cfg_layout::ValueLabel(CfgControl::Labiledymow, "Labiledymow", {463, 56, 28, 13}),
    cfg_layout::SettingText(CfgControl::Label4, "Label4", &Settings::ExplosionCount, {8, 96, 95, 13}),
    cfg_layout::ValueLabel(CfgControl::Labilewybuchow, "Labilewybuchow", {463, 96, 28, 13}),
    cfg_layout::SettingText(CfgControl::Label6, "Label6", &Settings::LightCount, {8, 136, 111, 13}),
    cfg_layout::ValueLabel(CfgControl::Labileswiatel, "Labileswiatel", {463, 136, 28, 13}),
    cfg_layout::Link(CfgControl::Label3, "Label3", kMakerLinkText, {8, 211, 265, 13}),
    cfg_layout::Button(CfgControl::BtnAnuluj, "BtnAnuluj", "Anuluj", {420, 183, 75, 21}, 0),
    cfg_layout::Slider(CfgControl::trilegwiazd, "trilegwiazd", {3, 24, 492, 26}, 1, &Settings::MeteorCount, 50),
    cfg_layout::Button(CfgControl::BtnZapisz, "BtnZapisz", "Zapisz", {312, 183, 100, 21}, 2),
    cfg_layout::Slider(CfgControl::triledymow, "triledymow", {3, 72, 492, 26}, 3, &Settings::SmokeCount, 50),
    cfg_layout::Slider(CfgControl::trilewybuchow, "trilewybuchow", {3, 112, 492, 26}, 4, &Settings::ExplosionCount, 50),
    cfg_layout::Slider(CfgControl::trileswiatel, "trileswiatel", {3, 152, 492, 26}, 5, &Settings::LightCount, 15),
}};
// clang-format on

// The window itself: fixed single border, system menu and close button only.
struct CfgFormLayout {
  std::string_view Caption;
  int Left, Top, ClientWidth, ClientHeight;
  CfgRgb Background, FontColour, LinkColour;
  std::string_view FontName;
  int FontHeightPixels;  // character height; every control but the link uses it plain
  int DesignPixelsPerInch;
  int SliderLineStep, SliderPageStep, SliderThumbLength;
};

inline constexpr CfgFormLayout kCfgForm{
    .Caption = kCfgCaption,
    .Left = 223,
    .Top = 116,
    .ClientWidth = 500,
    .ClientHeight = 227,
    .Background = {0, 0, 0},
    .FontColour = {255, 255, 255},
    .LinkColour = {0, 140, 255},
    .FontName = "Verdana",
    .FontHeightPixels = 11,
    .DesignPixelsPerInch = 96,
    .SliderLineStep = 1,
    .SliderPageStep = 2,
    .SliderThumbLength = 18,
};

const CfgControlLayout& CfgControlLayoutOf(CfgControl id);

// ---- The view seam ---------------------------------------------------------------------

enum class CfgMessageIcon { Error };

// What the model asks of the window that shows it.
class CfgDialogView {
 public:
  virtual ~CfgDialogView() = default;
  // The model moved a slider (when the dialog is created, or after clamping).
  virtual void ShowSliderPosition(CfgControl slider, int32_t position) = 0;
  virtual void ShowLabelText(CfgControl label, const std::string& text) = 0;
  // A modal box owned by the dialog.
  virtual void ShowMessage(const std::string& text, std::string_view title,
                           CfgMessageIcon icon) = 0;
  // Hand the address to the desktop to open; failures are not reported.
  virtual void OpenAddress(std::string_view address) = 0;
  // Close the dialog, which ends the process.
  virtual void CloseDialog() = 0;
};

// Stores the four slider positions (MeteorCount, SmokeCount, ExplosionCount, LightCount);
// throws an exception carrying the user's message when it cannot.
using CfgSaveOperation = std::function<void(const Settings& sliderPositions)>;

// ---- The dialog --------------------------------------------------------------------------

// A view builds its controls from kCfgControls, sets the sliders and value labels from
// SliderPosition and LabelText (the design positions until then), and calls FormCreate.
// From then on it forwards slider moves to SetSliderPosition and clicks to the handlers.
class TCfgFrm {
 public:
  // `settings` are the loaded settings, shown by FormCreate; `view` must outlive the dialog.
  TCfgFrm(CfgDialogView& view, const Settings& settings, CfgSaveOperation save);
  TCfgFrm(const TCfgFrm&) = delete;
  TCfgFrm& operator=(const TCfgFrm&) = delete;

  // Handlers, named after the control and the event.
  void FormCreate();
  void trilegwiazdChange();
  void triledymowChange();
  void trilewybuchowChange();
  void trileswiatelChange();
  void BtnZapiszClick();
  void BtnAnulujClick();
  void Label3Click();

  // A slider moved (the user, or FormCreate). The value is clamped into the slider's range;
  // the change handler runs only when the position really changes, so a view that echoes
  // the position back does not loop.
  void SetSliderPosition(CfgControl slider, int32_t value);

  int32_t SliderPosition(CfgControl slider) const;
  const std::string& LabelText(CfgControl label) const;
  Settings SliderPositions() const;

 private:
  static constexpr std::size_t kSliderCount = 4;

  void ShowPosition(std::size_t index);

  CfgDialogView& view_;
  Settings loaded_;
  CfgSaveOperation save_;
  std::array<int32_t, kSliderCount> positions_{};
  std::array<std::string, kSliderCount> labels_;
};
