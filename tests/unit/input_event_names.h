// The saver's input kinds by the names the tests' data files use.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "app/saver_input.h"

inline constexpr std::array<std::pair<std::string_view, InputKind>, 6> kInputKindNames{{
    {"KeyPressed", InputKind::KeyPressed},
    {"SystemKeyPressed", InputKind::SystemKeyPressed},
    {"PointerMoved", InputKind::PointerMoved},
    {"ButtonPressed", InputKind::ButtonPressed},
    {"Activated", InputKind::Activated},
    {"Deactivated", InputKind::Deactivated},
}};

inline InputKind InputKindNamed(std::string_view name) {
  for (const auto& [text, kind] : kInputKindNames) {
    if (text == name) return kind;
  }
  throw std::invalid_argument("no input kind is called " + std::string(name));
}

inline std::string_view InputKindName(InputKind kind) {
  for (const auto& [text, k] : kInputKindNames) {
    if (k == kind) return text;
  }
  return "?";
}

// "PointerMoved 516,400", or the kind alone for an event without a position.
inline std::string Describe(const InputEvent& event) {
  std::string text(InputKindName(event.Kind));
  if (event.Kind == InputKind::PointerMoved) {
    text += " " + std::to_string(event.Position.X) + "," + std::to_string(event.Position.Y);
  }
  return text;
}
