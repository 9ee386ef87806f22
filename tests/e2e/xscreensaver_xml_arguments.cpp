// Reads a saver's XScreenSaver description (the XML its settings window is built from) and
// prints every argument list that window can write, one per line: each slider at its low
// end, its high end and its default, and each check box set (and unset, when that writes
// anything). The command's own arguments come first on every line.
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::map<std::string, std::string> Attributes(const std::string& element) {
  static const std::regex attribute(R"(([-\w]+)\s*=\s*"([^"]*)\")");
  std::map<std::string, std::string> found;
  for (std::sregex_iterator it(element.begin(), element.end(), attribute), end; it != end; ++it) {
    found[(*it)[1]] = (*it)[2];
  }
  return found;
}

std::string Substitute(const std::string& pattern, const std::string& value) {
  std::string out = pattern;
  const auto at = out.find('%');
  if (at != std::string::npos) out.replace(at, 1, value);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: xscreensaver_xml_arguments <saver.xml>\n";
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 2;
  }
  std::stringstream buffer;
  buffer << file.rdbuf();
  const std::string xml = buffer.str();

  std::string command;
  static const std::regex element(R"(<(command|number|boolean)\b([^>]*)/>)");
  int written = 0;
  for (std::sregex_iterator it(xml.begin(), xml.end(), element), end; it != end; ++it) {
    const std::string kind = (*it)[1];
    auto a = Attributes((*it)[2]);
    if (kind == "command") {
      command += (command.empty() ? "" : " ") + a["arg"];
      continue;
    }
    if (kind == "number") {
      if (a["arg"].empty() || a["low"].empty() || a["high"].empty() || a["default"].empty()) {
        std::cerr << "a number without arg, low, high or default: " << (*it)[0] << "\n";
        return 1;
      }
      for (const char* end : {"low", "high", "default"}) {
        std::cout << command << " " << Substitute(a["arg"], a[end]) << "\n";
        ++written;
      }
    } else {
      for (const char* choice : {"arg-set", "arg-unset"}) {
        if (a.count(choice)) {
          std::cout << command << " " << a[choice] << "\n";
          ++written;
        }
      }
    }
  }
  if (written == 0) {
    std::cerr << "no options in " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
