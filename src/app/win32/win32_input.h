// What a queued Windows message means to the saver's input rules: the one place where
// message numbers and the positions packed in lParam are read.
#pragma once

#include <windows.h>

#include <optional>

#include "app/saver_input.h"

// The input event `message` stands for, or nothing for a message that carries no input.
// A mouse move's lParam holds its position relative to the client area whose screen position
// is `clientOrigin`, each half read signed (left of or above the window they are negative);
// a message sent to no window has no client area and its halves are read unsigned, as a
// window at the screen's origin would get them.
std::optional<InputEvent> InputFromMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                           std::optional<CursorPoint> clientOrigin);

// The same for a message taken from the queue, its window's client area found on the screen.
// The window that got a move may be any of ours on any monitor, or the one holding the capture
// with the pointer far outside it.
std::optional<InputEvent> InputFromMessage(const MSG& msg);
