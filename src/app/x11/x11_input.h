// What X events mean to the saver: how a focus change moves the application's activation,
// and the input an event stands for, as the message record the input rules read. Portable
// apart from the event types themselves, and tested without a display.
#pragma once

#include <X11/Xlib.h>

#include "app/saver_input.h"

// How a focus event changes the application's activation.
enum class ActivationChange { Unchanged, Activate, Deactivate };

// Focus moves caused by grabs, and those between our own windows, leave the application as
// active as it was; anything else that takes the focus away deactivates it.
ActivationChange ClassifyFocusEvent(const XFocusChangeEvent& event);

// The input an X event stands for, as the message record the saver's filter reads: pointer
// motion becomes a mouse move at the pointer's screen (root) coordinates, the frame the
// start position is measured in, wherever the window sits; a key press a key-down, except
// that Alt, F10 and keys pressed with Alt held are system keys, as on Windows; a button press
// a click. `keysym` is the pressed key's unshifted symbol (XLookupKeysym with index 0).
// False for events that carry no input.
bool TranslateX11Event(const XEvent& event, AppMessageRecord& message, KeySym keysym = NoSymbol);
