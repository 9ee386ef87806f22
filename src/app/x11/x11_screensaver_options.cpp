// Reading XScreenSaver's options.
#include "app/x11/x11_screensaver_options.h"

#include <charconv>

#include "app/command_line.h"

namespace {

constexpr uint32_t kLargestWindowId = 0x1FFFFFFF;

[[noreturn]] void ThrowBadWindowId(std::string_view text) {
  throw StartupError("'" + std::string(text) + "' is not a valid window id");
}

bool IsSaverMode(const std::string& argument) {
  return argument.size() == 2 && argument[0] == '/' &&
         (argument[1] == 's' || argument[1] == 'S' || argument[1] == 'p' || argument[1] == 'P');
}

}  // namespace

uint32_t ParseX11WindowId(std::string_view text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string_view digits = hex ? text.substr(2) : text;
  uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, hex ? 16 : 10);
  if (digits.empty() || error != std::errc{} || stop != end || value == 0 ||
      value > kLargestWindowId) {
    ThrowBadWindowId(text);
  }
  return static_cast<uint32_t>(value);
}

std::optional<XScreenSaverTarget> ParseXScreenSaverOptions(std::span<const std::string> args,
                                                           const char* environmentWindow) {
  if (!args.empty() && IsSaverMode(args[0])) return std::nullopt;
  bool root = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-window-id" || args[i] == "--window-id") {
      if (i + 1 == args.size()) ThrowBadWindowId("");
      return XScreenSaverTarget{false, ParseX11WindowId(args[i + 1])};
    }
    root = root || args[i] == "-root" || args[i] == "--root";
  }
  if (environmentWindow && *environmentWindow) {
    return XScreenSaverTarget{false, ParseX11WindowId(environmentWindow)};
  }
  if (root) return XScreenSaverTarget{true, 0};
  return std::nullopt;
}
