// The process-wide entry tables and the check for unbound entries.
#include "gl/gl_entries.h"

GlEntries GL;
GluEntries GLu;

std::vector<std::string_view> MissingGlEntries() {
  std::vector<std::string_view> missing;
#define ORVANTA_CHECK_ENTRY(ret, name, params, args) \
  if (GL.name == nullptr) missing.push_back(#name);
  ORVANTA_GL_FUNCTIONS(ORVANTA_CHECK_ENTRY)
#undef ORVANTA_CHECK_ENTRY
  return missing;
}

std::vector<std::string_view> MissingGluEntries() {
  std::vector<std::string_view> missing;
#define ORVANTA_CHECK_ENTRY(ret, name, params, args) \
  if (GLu.name == nullptr) missing.push_back(#name);
  ORVANTA_GLU_FUNCTIONS(ORVANTA_CHECK_ENTRY)
#undef ORVANTA_CHECK_ENTRY
  return missing;
}
