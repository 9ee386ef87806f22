// Start-up mode dispatch from the host's command line.
#include "app/command_line.h"

#include <algorithm>
#include <charconv>

namespace {

// Only a to z change, so that no locale and no non-ASCII byte can alter the comparison.
std::string UpperCaseAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

[[noreturn]] void ThrowNotAnInteger(std::string_view text) {
  throw StartupError("'" + std::string(text) + "' is not a valid integer value");
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool HasSign(std::string_view text) {
  return !text.empty() && (text.front() == '+' || text.front() == '-');
}

}  // namespace

int64_t ParseWindowHandle(std::string_view text) {
  const std::string_view digits = text.substr(HasSign(text) ? 1 : 0);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
    ThrowNotAnInteger(text);
  }
  // from_chars takes a leading minus but not a plus.
  const std::string_view number = text.front() == '+' ? digits : text;
  int64_t value = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, value, 10);
  if (error != std::errc{} || stop != end) ThrowNotAnInteger(text);  // beyond int64
  return value;
}

StartupError NotAWindowError(int64_t handle) {
  return StartupError("'" + std::to_string(handle) + "' is not a window handle");
}

std::string_view TitleForMode(SaverMode mode) {
  return mode == SaverMode::Configuration ? kConfigurationTitle : kSaverTitle;
}

SaverMode ModeNamedBy(std::span<const std::string> args) {
  const std::string first = args.empty() ? std::string() : UpperCaseAscii(args[0]);
  if (first == "/S") return SaverMode::FullScreen;
  if (first == "/P") return SaverMode::Preview;
  return SaverMode::Configuration;
}

bool ModeShowsBoxes(SaverMode mode) {
  return mode != SaverMode::External;
}

CommandLine ParseCommandLine(std::span<const std::string> args) {
  CommandLine result;
  if (args.empty()) return result;

  const std::string first = UpperCaseAscii(args[0]);
  if (first == "/S") {
    result.Mode = SaverMode::FullScreen;
    result.ArgumentsUsed = 1;
  } else if (first == "/P") {
    // A missing handle reads as empty text, so the error names '' like any bad handle.
    const std::string_view handle = args.size() > 1 ? std::string_view(args[1]) : "";
    result.PreviewParent = ParseWindowHandle(handle);
    result.Mode = SaverMode::Preview;
    result.ArgumentsUsed = 2;
  }
  result.Title = std::string(TitleForMode(result.Mode));
  return result;
}
