// Whether the user's chosen screen saver is still the file this installation put there. The
// choice is a path as the screen-saver settings keep it: usually the short 8.3 form, perhaps
// the long one, in any case, perhaps quoted; the installer knows its file by both forms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// True when `selection` names one of `namesOfOurFile`. Paths compare without regard to ASCII
// case, surrounding blanks or quotes, or the kind of slash; an empty selection names nothing.
bool SelectionNamesSaver(std::wstring_view selection,
                         const std::vector<std::wstring>& namesOfOurFile);
