// The values of the constants as the system's own GL and GLU headers define them.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>

#include <map>
#include <string>

#include "gl_constant_names.h"

std::map<std::string, long long> SystemHeaderConstants() {
  std::map<std::string, long long> values;
#define ORVANTA_SYSTEM_VALUE(name) values[#name] = static_cast<long long>(name);
  ORVANTA_GL_CONSTANT_NAMES(ORVANTA_SYSTEM_VALUE)
#undef ORVANTA_SYSTEM_VALUE
  return values;
}
