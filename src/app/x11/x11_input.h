// What X events mean to the saver: how a focus change moves the application's activation,
// and the input event an X event stands for, as the input rules read it. Portable apart from
// the event types themselves, and tested without a display.
#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "app/saver_input.h"

// How a focus event changes the application's activation.
enum class ActivationChange { Unchanged, Activate, Deactivate };

// Focus moves caused by grabs, and those between our own windows, leave the application as
// active as it was; anything else that takes the focus away deactivates it.
ActivationChange ClassifyFocusEvent(const XFocusChangeEvent& event);

// The input event an X event stands for: pointer motion a move to the pointer's screen (root)
// coordinates, the frame the start position is measured in, wherever the window sits; a key
// press a key, except that Alt, F10 and keys pressed with Alt held are system keys, as they
// are to other desktops' window managers; a button press a button. `keysym` is the pressed
// key's unshifted symbol (XLookupKeysym with index 0). Nothing for events that carry no input;
// focus changes reach the application's activation instead (ClassifyFocusEvent).
std::optional<InputEvent> InputFromX11Event(const XEvent& event, KeySym keysym = NoSymbol);
