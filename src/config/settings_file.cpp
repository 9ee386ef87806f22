// Parsing and writing the settings file text.
#include "config/settings_file.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::string_view kBlanks = " \t\r\f\v";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

ValueQuery ParseSettingsInteger(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) {
    return {ValueStatus::WrongType, 0};
  }
  // Capping the magnitude one past what fits keeps long digit strings from overflowing.
  constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 2;
  int64_t magnitude = 0;
  for (char digit : text) magnitude = std::min(magnitude * 10 + (digit - '0'), kCap);
  const int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    return {ValueStatus::Unreadable, 0};
  }
  return {ValueStatus::Present, static_cast<int32_t>(value)};
}

SettingsFile SettingsFile::Parse(std::string_view text) {
  SettingsFile file;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    Line line{std::string(text.substr(0, end)), {}, {}};
    const size_t equals = line.Text.find('=');
    if (equals != std::string::npos) {
      line.Name = Trim(std::string_view(line.Text).substr(0, equals));
      line.Value = Trim(std::string_view(line.Text).substr(equals + 1));
    }
    file.lines_.push_back(std::move(line));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return file;
}

ValueQuery SettingsFile::Query(std::string_view name) const {
  if (name.empty()) return {ValueStatus::Missing, 0};
  const auto last = std::find_if(lines_.rbegin(), lines_.rend(),
                                 [name](const Line& line) { return line.Name == name; });
  if (last == lines_.rend()) return {ValueStatus::Missing, 0};
  return ParseSettingsInteger(last->Value);
}

void SettingsFile::Set(std::string_view name, int32_t value) {
  const auto named = [name](const Line& line) { return line.Name == name; };
  const std::string text = std::to_string(value);
  Line written{std::string(name) + "=" + text, std::string(name), text};
  // One past the name's last line, or the beginning when the name is new.
  const auto pastLast = std::find_if(lines_.rbegin(), lines_.rend(), named).base();
  if (pastLast == lines_.begin()) {
    lines_.push_back(std::move(written));
    return;
  }
  const auto last = std::prev(pastLast);
  *last = std::move(written);
  lines_.erase(std::remove_if(lines_.begin(), last, named), last);
}

std::string SettingsFile::Render() const {
  std::string text;
  for (const Line& line : lines_) text += line.Text + "\n";
  return text;
}
