// The process-wide entry tables and the check for unbound entries.
#include "gl/gl_entries.h"

GlEntries GL;
GluEntries GLu;

// Notes the name of an entry of `table` that nothing was bound to.
#define ORVANTA_NOTE_IF_UNBOUND(ret, name, params, args) \
  if (table.name == nullptr) missing.push_back(#name);

std::vector<std::string_view> MissingGlEntries() {
  std::vector<std::string_view> missing;
  const GlEntries& table = GL;
  ORVANTA_GL_FUNCTIONS(ORVANTA_NOTE_IF_UNBOUND)
  return missing;
}

std::vector<std::string_view> MissingGluEntries() {
  std::vector<std::string_view> missing;
  const GluEntries& table = GLu;
  ORVANTA_GLU_FUNCTIONS(ORVANTA_NOTE_IF_UNBOUND)
  return missing;
}
