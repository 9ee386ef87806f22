// The few Xlib and GLX types the X11 shell's headers name, declared exactly as Xlib and GLX
// declare them. The headers can then leave <X11/Xlib.h> to the .cpp files: its macros (None,
// Status, Bool, Success) would otherwise rewrite names in every file that includes a shell
// header.
#pragma once

// The tags are Xlib's and GLX's own, reserved names and all.
struct _XDisplay;        // NOLINT(bugprone-reserved-identifier)
union _XEvent;           // NOLINT(bugprone-reserved-identifier)
struct __GLXcontextRec;  // NOLINT(bugprone-reserved-identifier)

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;
typedef unsigned long XID;
typedef XID Window;
typedef XID Colormap;
typedef XID Cursor;
typedef XID KeySym;
typedef struct __GLXcontextRec* GLXContext;
