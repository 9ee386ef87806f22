// orvanta-headless: the saver's scene without a window, for pictures, traces and tests.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "headless_gl_surface.h"
#include "headless_options.h"
#include "headless_run.h"

int main(int argc, char** argv) {
  HeadlessOptions options;
  try {
    options = ParseHeadlessOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << kHeadlessName << ": " << error.what() << "\n"
              << "Try '" << kHeadlessName << " --help' for more information.\n";
    return kExitUsage;
  }
  if (options.Help) {
    std::cout << HeadlessHelpText();
    return kExitSuccess;
  }
  return RunHeadless(options, MakeUserSettingsStore, std::cout, std::cerr, MakeHeadlessBuffer);
}
