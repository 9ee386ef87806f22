// The text form of the settings where there is no registry: one `Name=value` line per stored
// value, each value a signed 32-bit decimal integer. Other lines are kept as they are, so a
// save never loses what a user or another version wrote into the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_store.h"

// Reads a stored value: an optional sign and one or more decimal digits, nothing else.
// Anything else is WrongType; a number outside the 32-bit range is Unreadable.
ValueQuery ParseSettingsInteger(std::string_view text);

class SettingsFile {
 public:
  static SettingsFile Parse(std::string_view text);

  // When a name appears more than once, its last line counts.
  ValueQuery Query(std::string_view name) const;

  // Rewrites the name's line in place, or appends one; earlier duplicates are dropped so
  // that the file ends up saying one thing.
  void Set(std::string_view name, int32_t value);

  // The file's text: every line kept, each ended by a newline.
  std::string Render() const;

 private:
  struct Line {
    std::string Text;   // as read, or as last written
    std::string Name;   // empty when the line is not Name=value
    std::string Value;  // the text after '=', trimmed
  };

  std::vector<Line> lines_;
};
