// Where a layer that may not show anything itself sends a message for the user: the text
// and the title of the box the shell will show (or the line it will print).
#pragma once

#include <functional>
#include <string_view>

using MessageSink = std::function<void(std::string_view text, std::string_view title)>;
