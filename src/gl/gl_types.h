// Scalar types of the OpenGL 1.1 / GLU 1.3 interface, declared here so that the core can
// talk to GL without the system headers. They are identical to the typedefs of <GL/gl.h>,
// so a file that needs both (the OSMesa binding) may include both.
#pragma once

typedef unsigned int GLenum;
typedef unsigned char GLboolean;
typedef unsigned int GLbitfield;
typedef void GLvoid;
typedef signed char GLbyte;
typedef short GLshort;
typedef int GLint;
typedef unsigned char GLubyte;
typedef unsigned short GLushort;
typedef unsigned int GLuint;
typedef int GLsizei;
typedef float GLfloat;
typedef float GLclampf;
typedef double GLdouble;
typedef double GLclampd;

// Opaque, as in <GL/glu.h>: only GLU itself knows what a quadric holds.
struct GLUquadric;
typedef struct GLUquadric GLUquadric;

// The system libraries use the platform's standard calling convention, which only makes a
// difference on 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define ORVANTA_GLAPI __stdcall
#else
#define ORVANTA_GLAPI
#endif
