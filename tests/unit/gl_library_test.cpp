// Loading the system GL and GLU libraries into the entry tables: every entry the program uses
// resolves with the real libraries (Mesa natively, wine's DLLs in the Windows build), a
// missing library is reported with the exact text, and unloading clears the tables.
#include "gl/gl_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "gl/dynamic_library.h"
#include "gl/gl_constants.h"
#include "gl/gl_entries.h"

namespace {

using ::testing::IsEmpty;

const std::string kGLLibrary(DefaultGLLibraryName);

std::vector<std::string_view> AllGlNames() {
  std::vector<std::string_view> names;
#define ORVANTA_NAME(ret, name, params, args) names.push_back(#name);
  ORVANTA_GL_FUNCTIONS(ORVANTA_NAME)
  return names;
}

std::vector<std::string_view> AllGluNames() {
  std::vector<std::string_view> names;
  ORVANTA_GLU_FUNCTIONS(ORVANTA_NAME)
#undef ORVANTA_NAME
  return names;
}
const std::string kGLuLibrary(DefaultGLuLibraryName);

// Each test starts and ends with nothing loaded.
class GlLibrary : public ::testing::Test {
 protected:
  void SetUp() override { UnloadAll(); }
  void TearDown() override { UnloadAll(); }
  static void UnloadAll() {
    UnloadGLuLibrary();
    UnloadGLLibrary();
  }
};

TEST_F(GlLibrary, SystemLibrariesResolveEveryEntry) {
  ASSERT_NO_THROW(LoadGLLibrary(kGLLibrary));
  ASSERT_NO_THROW(LoadGLuLibrary(kGLuLibrary));
  EXPECT_THAT(MissingGlEntries(), IsEmpty());
  EXPECT_THAT(MissingGluEntries(), IsEmpty());
}

TEST_F(GlLibrary, ResolvedEntriesAreTheNamedFunctions) {
  LoadGLuLibrary(kGLuLibrary);
  // gluErrorString needs no context, so it can be called for real.
  const GLubyte* text = GLu.gluErrorString(GLU_INVALID_ENUM);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(reinterpret_cast<const char*>(text), "invalid enumerant");
}

#ifdef _WIN32
TEST_F(GlLibrary, ChoosePixelFormatFallsBackToTheSystemOne) {
  LoadGLLibrary(kGLLibrary);
  ASSERT_NE(GL.ChoosePixelFormat, nullptr);
  void* library = OpenDynamicLibrary(kGLLibrary.c_str());
  void* exported = FindLibrarySymbol(library, "ChoosePixelFormat");
  CloseDynamicLibrary(library);
  const void* expected = exported != nullptr ? exported : FindSystemChoosePixelFormat();
  EXPECT_EQ(reinterpret_cast<const void*>(GL.ChoosePixelFormat), expected);
}
#endif

TEST_F(GlLibrary, FunctionsALibraryLacksStayNull) {
  // The GL library exports no GLU function: the load succeeds and every GLU entry is null.
  ASSERT_NO_THROW(LoadGLuLibrary(kGLLibrary));
  EXPECT_EQ(MissingGluEntries(), AllGluNames());
  EXPECT_EQ(GLu.gluSphere, nullptr);
}

TEST_F(GlLibrary, UnloadClearsEveryEntry) {
  LoadGLLibrary(kGLLibrary);
  LoadGLuLibrary(kGLuLibrary);
  UnloadGLLibrary();
  UnloadGLuLibrary();
  EXPECT_EQ(MissingGlEntries(), AllGlNames());
  EXPECT_EQ(MissingGluEntries(), AllGluNames());
  EXPECT_EQ(GL.ChoosePixelFormat, nullptr);
  // Loading again after an unload works as the first time.
  LoadGLLibrary(kGLLibrary);
  EXPECT_THAT(MissingGlEntries(), IsEmpty());
}

class GlLibraryErrors : public GlLibrary {};

TEST_F(GlLibraryErrors, MissingGLLibraryIsReportedWithItsName) {
  try {
    LoadGLLibrary("orvanta-no-such-gl.dll");
    FAIL() << "no error raised";
  } catch (const GlLoadError& error) {
    EXPECT_STREQ(error.what(), "Could not load OpenGL from orvanta-no-such-gl.dll");
  }
}

TEST_F(GlLibraryErrors, MissingGLuLibraryIsReportedWithItsName) {
  try {
    LoadGLuLibrary("orvanta-no-such-glu.dll");
    FAIL() << "no error raised";
  } catch (const GlLoadError& error) {
    EXPECT_STREQ(error.what(), "Could not load GLu from orvanta-no-such-glu.dll");
  }
}

TEST_F(GlLibraryErrors, FailedLoadLeavesNoEntryOfTheLibraryBefore) {
  LoadGLLibrary(kGLLibrary);
  LoadGLuLibrary(kGLuLibrary);
  EXPECT_THROW(LoadGLLibrary("orvanta-no-such-gl.dll"), GlLoadError);
  EXPECT_THROW(LoadGLuLibrary("orvanta-no-such-glu.dll"), GlLoadError);
  EXPECT_EQ(MissingGlEntries(), AllGlNames());
  EXPECT_EQ(MissingGluEntries(), AllGluNames());
  EXPECT_EQ(GL.ChoosePixelFormat, nullptr);
}

TEST_F(GlLibraryErrors, EmptyNameIsNotALibrary) {
  // dlopen("") would hand back the program itself; that is no GL library.
  try {
    LoadGLLibrary("");
    FAIL() << "no error raised";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Could not load OpenGL from ");
  }
}

}  // namespace
