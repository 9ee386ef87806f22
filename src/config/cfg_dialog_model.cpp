// The configuration dialog's behaviour, independent of the toolkit that draws it.
#include "config/cfg_dialog_model.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

namespace {

// Each slider with the label that shows it and the setting it edits, in FormCreate's order.
struct SliderBinding {
  CfgControl Slider;
  CfgControl Label;
  int32_t Settings::*Field;
  void (TCfgFrm::*Change)();
};

constexpr std::array<SliderBinding, 4> kSliders{{
    {CfgControl::trilegwiazd, CfgControl::LabIlegwiazd, &Settings::MeteorCount,
     &TCfgFrm::trilegwiazdChange},
    {CfgControl::triledymow, CfgControl::Labiledymow, &Settings::SmokeCount,
     &TCfgFrm::triledymowChange},
    {CfgControl::trilewybuchow, CfgControl::Labilewybuchow, &Settings::ExplosionCount,
     &TCfgFrm::trilewybuchowChange},
    {CfgControl::trileswiatel, CfgControl::Labileswiatel, &Settings::LightCount,
     &TCfgFrm::trileswiatelChange},
}};

std::size_t SliderIndex(CfgControl slider) {
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    if (kSliders[i].Slider == slider) return i;
  }
  throw std::invalid_argument("not a slider: " + std::string(CfgControlLayoutOf(slider).Name));
}

std::size_t LabelIndex(CfgControl label) {
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    if (kSliders[i].Label == label) return i;
  }
  throw std::invalid_argument("not a value label: " + std::string(CfgControlLayoutOf(label).Name));
}

}  // namespace

const CfgControlLayout& CfgControlLayoutOf(CfgControl id) {
  for (const CfgControlLayout& layout : kCfgControls) {
    if (layout.Id == id) return layout;
  }
  throw std::invalid_argument("unknown dialog control");
}

TCfgFrm::TCfgFrm(CfgDialogView& view, const Settings& settings, CfgSaveOperation save)
    : view_(view), loaded_(settings), save_(std::move(save)) {
  if (!save_) throw std::invalid_argument("the configuration dialog needs a save operation");
  // Until FormCreate the sliders sit at their design positions, and the labels agree, so a
  // setting equal to a design position still leaves its label right.
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    positions_[i] = CfgControlLayoutOf(kSliders[i].Slider).DesignPosition;
    labels_[i] = std::to_string(positions_[i]);
  }
}

void TCfgFrm::FormCreate() {
  for (const SliderBinding& binding : kSliders) {
    SetSliderPosition(binding.Slider, loaded_.*binding.Field);
  }
}

void TCfgFrm::trilegwiazdChange() {
  ShowPosition(0);
}
void TCfgFrm::triledymowChange() {
  ShowPosition(1);
}
void TCfgFrm::trilewybuchowChange() {
  ShowPosition(2);
}
void TCfgFrm::trileswiatelChange() {
  ShowPosition(3);
}

void TCfgFrm::BtnZapiszClick() {
  try {
    save_(SliderPositions());
  } catch (const std::exception& error) {
    // The dialog stays open, so the user can try again or cancel.
    view_.ShowMessage(error.what(), kCfgErrorTitle, CfgMessageIcon::Error);
    return;
  }
  view_.CloseDialog();
}

void TCfgFrm::BtnAnulujClick() {
  view_.CloseDialog();
}

void TCfgFrm::Label3Click() {
  view_.OpenAddress(kMakerAddress);
}

void TCfgFrm::SetSliderPosition(CfgControl slider, int32_t value) {
  const std::size_t index = SliderIndex(slider);
  const CfgControlLayout& layout = CfgControlLayoutOf(slider);
  const int32_t position = std::clamp(value, layout.Min, layout.Max);
  if (position == positions_[index]) return;
  positions_[index] = position;
  view_.ShowSliderPosition(slider, position);
  (this->*kSliders[index].Change)();
}

int32_t TCfgFrm::SliderPosition(CfgControl slider) const {
  return positions_[SliderIndex(slider)];
}

const std::string& TCfgFrm::LabelText(CfgControl label) const {
  return labels_[LabelIndex(label)];
}

Settings TCfgFrm::SliderPositions() const {
  Settings positions;
  for (std::size_t i = 0; i < kSliders.size(); ++i) positions.*kSliders[i].Field = positions_[i];
  return positions;
}

void TCfgFrm::ShowPosition(std::size_t index) {
  labels_[index] = std::to_string(positions_[index]);
  view_.ShowLabelText(kSliders[index].Label, labels_[index]);
}
