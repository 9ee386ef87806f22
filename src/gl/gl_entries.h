// The GL and GLU entry tables: one function pointer per OpenGL or GLU function the program
// calls, named like the function. Every GL call in the program reads `GL.glEnable(GL_FOG)`
// or `GLu.gluSphere(q, r, s, t)`. The tables are filled from the system libraries
// (gl_library.h), from OSMesa (headless_gl_binding.h), or swapped for the logging thunks
// of the recording layer (gl_recording.h).
#pragma once

#include <string_view>
#include <vector>

#include "gl/gl_types.h"

// X(return type, name, (parameters), (arguments)) for every GL entry.
#define ORVANTA_GL_FUNCTIONS(X)                                                                    \
  /* state */                                                                                      \
  X(void, glEnable, (GLenum cap), (cap))                                                           \
  X(void, glDisable, (GLenum cap), (cap))                                                          \
  X(void, glHint, (GLenum target, GLenum mode), (target, mode))                                    \
  X(void, glShadeModel, (GLenum mode), (mode))                                                     \
  X(void, glBlendFunc, (GLenum sfactor, GLenum dfactor), (sfactor, dfactor))                       \
  X(void, glDepthFunc, (GLenum func), (func))                                                      \
  X(void, glDepthMask, (GLboolean flag), (flag))                                                   \
  X(void, glCullFace, (GLenum mode), (mode))                                                       \
  X(void, glPolygonMode, (GLenum face, GLenum mode), (face, mode))                                 \
  X(void, glPushAttrib, (GLbitfield mask), (mask))                                                 \
  X(void, glPopAttrib, (), ())                                                                     \
  X(void, glPixelStorei, (GLenum pname, GLint param), (pname, param))                              \
  /* buffers */                                                                                    \
  X(void, glClearColor, (GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha),             \
    (red, green, blue, alpha))                                                                     \
  X(void, glClearDepth, (GLclampd depth), (depth))                                                 \
  X(void, glClear, (GLbitfield mask), (mask))                                                      \
  X(void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))    \
  X(void, glScissor, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))     \
  X(void, glFinish, (), ())                                                                        \
  X(void, glReadPixels,                                                                            \
    (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,                  \
     GLvoid * pixels),                                                                             \
    (x, y, width, height, format, type, pixels))                                                   \
  /* fog and lighting */                                                                           \
  X(void, glFogf, (GLenum pname, GLfloat param), (pname, param))                                   \
  X(void, glFogi, (GLenum pname, GLint param), (pname, param))                                     \
  X(void, glFogfv, (GLenum pname, const GLfloat* params), (pname, params))                         \
  X(void, glLightModeli, (GLenum pname, GLint param), (pname, param))                              \
  X(void, glLightf, (GLenum light, GLenum pname, GLfloat param), (light, pname, param))            \
  X(void, glLightfv, (GLenum light, GLenum pname, const GLfloat* params), (light, pname, params))  \
  X(void, glMaterialf, (GLenum face, GLenum pname, GLfloat param), (face, pname, param))           \
  X(void, glMaterialfv, (GLenum face, GLenum pname, const GLfloat* params), (face, pname, params)) \
  /* matrices */                                                                                   \
  X(void, glMatrixMode, (GLenum mode), (mode))                                                     \
  X(void, glLoadIdentity, (), ())                                                                  \
  X(void, glPushMatrix, (), ())                                                                    \
  X(void, glPopMatrix, (), ())                                                                     \
  X(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                              \
  X(void, glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), (angle, x, y, z))           \
  X(void, glRotated, (GLdouble angle, GLdouble x, GLdouble y, GLdouble z), (angle, x, y, z))       \
  X(void, glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                                  \
  X(void, glOrtho,                                                                                 \
    (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar), \
    (left, right, bottom, top, zNear, zFar))                                                       \
  /* immediate mode */                                                                             \
  X(void, glBegin, (GLenum mode), (mode))                                                          \
  X(void, glEnd, (), ())                                                                           \
  X(void, glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                                \
  X(void, glNormal3f, (GLfloat nx, GLfloat ny, GLfloat nz), (nx, ny, nz))                          \
  X(void, glColor3f, (GLfloat red, GLfloat green, GLfloat blue), (red, green, blue))               \
  X(void, glColor4f, (GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha),                    \
    (red, green, blue, alpha))                                                                     \
  X(void, glTexCoord2f, (GLfloat s, GLfloat t), (s, t))                                            \
  /* vertex arrays */                                                                              \
  X(void, glEnableClientState, (GLenum array), (array))                                            \
  X(void, glDisableClientState, (GLenum array), (array))                                           \
  X(void, glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer),       \
    (size, type, stride, pointer))                                                                 \
  X(void, glNormalPointer, (GLenum type, GLsizei stride, const GLvoid* pointer),                   \
    (type, stride, pointer))                                                                       \
  X(void, glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer),     \
    (size, type, stride, pointer))                                                                 \
  X(void, glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices),        \
    (mode, count, type, indices))                                                                  \
  /* textures */                                                                                   \
  X(void, glGenTextures, (GLsizei n, GLuint * textures), (n, textures))                            \
  X(void, glBindTexture, (GLenum target, GLuint texture), (target, texture))                       \
  X(void, glTexParameteri, (GLenum target, GLenum pname, GLint param), (target, pname, param))     \
  X(void, glTexEnvf, (GLenum target, GLenum pname, GLfloat param), (target, pname, param))         \
  X(void, glTexGeni, (GLenum coord, GLenum pname, GLint param), (coord, pname, param))             \
  X(void, glTexImage2D,                                                                            \
    (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,              \
     GLint border, GLenum format, GLenum type, const GLvoid* pixels),                              \
    (target, level, internalformat, width, height, border, format, type, pixels))                  \
  /* queries */                                                                                    \
  X(GLenum, glGetError, (), ())                                                                    \
  X(const GLubyte*, glGetString, (GLenum name), (name))                                            \
  X(GLboolean, glIsEnabled, (GLenum cap), (cap))                                                   \
  X(void, glGetBooleanv, (GLenum pname, GLboolean * params), (pname, params))                      \
  X(void, glGetIntegerv, (GLenum pname, GLint * params), (pname, params))                          \
  X(void, glGetFloatv, (GLenum pname, GLfloat * params), (pname, params))                          \
  X(void, glGetDoublev, (GLenum pname, GLdouble * params), (pname, params))                        \
  X(void, glGetLightfv, (GLenum light, GLenum pname, GLfloat * params), (light, pname, params))    \
  X(void, glGetTexEnviv, (GLenum target, GLenum pname, GLint * params), (target, pname, params))   \
  X(void, glGetTexParameteriv, (GLenum target, GLenum pname, GLint * params),                      \
    (target, pname, params))                                                                       \
  X(void, glGetTexLevelParameteriv, (GLenum target, GLint level, GLenum pname, GLint * params),    \
    (target, level, pname, params))

// X(return type, name, (parameters), (arguments)) for every GLU entry.
#define ORVANTA_GLU_FUNCTIONS(X)                                                                   \
  X(const GLubyte*, gluErrorString, (GLenum errorCode), (errorCode))                               \
  X(void, gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar),         \
    (fovy, aspect, zNear, zFar))                                                                   \
  X(void, gluLookAt,                                                                               \
    (GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,              \
     GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ),                                  \
    (eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ))                                  \
  X(GLint, gluBuild2DMipmaps,                                                                      \
    (GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,       \
     const void* data),                                                                            \
    (target, components, width, height, format, type, data))                                       \
  X(GLUquadric*, gluNewQuadric, (), ())                                                            \
  X(void, gluDeleteQuadric, (GLUquadric * quad), (quad))                                           \
  X(void, gluQuadricDrawStyle, (GLUquadric * quad, GLenum draw), (quad, draw))                     \
  X(void, gluQuadricNormals, (GLUquadric * quad, GLenum normal), (quad, normal))                   \
  X(void, gluQuadricOrientation, (GLUquadric * quad, GLenum orientation), (quad, orientation))     \
  X(void, gluQuadricTexture, (GLUquadric * quad, GLboolean texture), (quad, texture))              \
  X(void, gluCylinder,                                                                             \
    (GLUquadric * quad, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks), \
    (quad, base, top, height, slices, stacks))                                                     \
  X(void, gluDisk, (GLUquadric * quad, GLdouble inner, GLdouble outer, GLint slices, GLint loops), \
    (quad, inner, outer, slices, loops))                                                           \
  X(void, gluSphere, (GLUquadric * quad, GLdouble radius, GLint slices, GLint stacks),             \
    (quad, radius, slices, stacks))

// X(return type, name, (parameters), (arguments)) for every WGL extension function the program
// calls. WGL hands these out only through wglGetProcAddress once a context is current, so they
// stay null until swap_control.h looks them up; other platforms never have them.
#define ORVANTA_WGL_EXTENSION_FUNCTIONS(X)          \
  X(const char*, wglGetExtensionsStringEXT, (), ()) \
  X(int, wglSwapIntervalEXT, (int interval), (interval))

#define ORVANTA_DECLARE_ENTRY(ret, name, params, args) ret(ORVANTA_GLAPI* name) params = nullptr;

struct GlEntries {
  ORVANTA_GL_FUNCTIONS(ORVANTA_DECLARE_ENTRY)
  // Not a GL function: it lives in GDI on Windows and has no counterpart elsewhere, where it
  // stays null. The arguments are an HDC and a PIXELFORMATDESCRIPTOR*.
  int(ORVANTA_GLAPI* ChoosePixelFormat)(void* dc, const void* pfd) = nullptr;
  // WGL's door to extension functions, exported by opengl32.dll; null elsewhere.
  void*(ORVANTA_GLAPI* wglGetProcAddress)(const char* name) = nullptr;
  ORVANTA_WGL_EXTENSION_FUNCTIONS(ORVANTA_DECLARE_ENTRY)
};

struct GluEntries {
  ORVANTA_GLU_FUNCTIONS(ORVANTA_DECLARE_ENTRY)
};

#undef ORVANTA_DECLARE_ENTRY

// The process-wide tables. All entries are null until a library is bound.
extern GlEntries GL;
extern GluEntries GLu;

// Names of the GL functions (ChoosePixelFormat and the WGL entries aside) and of the GLU functions
// whose entries are null in the current tables; empty when everything the program calls is there. A
// shell uses this to refuse a start with a missing function instead of calling through null.
std::vector<std::string_view> MissingGlEntries();
std::vector<std::string_view> MissingGluEntries();
