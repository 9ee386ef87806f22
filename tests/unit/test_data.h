// The committed data files of the tests (tests/data): whole files, tables of columns
// separated by blanks with '#' starting a comment, and numbers read back exactly.
#pragma once

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifndef ORVANTA_TEST_DATA_DIR
#error "a test that reads tests/data defines ORVANTA_TEST_DATA_DIR"
#endif

inline std::string TestDataPath(std::string_view name) {
  return std::string(ORVANTA_TEST_DATA_DIR) + "/" + std::string(name);
}

// A whole file of the tree, e.g. one of res/ that a test holds against the code.
inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the test data file " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::string ReadTestData(std::string_view name) {
  return ReadWholeFile(TestDataPath(name));
}

// The lines of a data file that say something, as written: blank lines and lines that start
// with '#' are left out. A missing file throws, so that no test passes by reading nothing.
inline std::vector<std::string> ReadTestLines(std::string_view name) {
  std::istringstream text(ReadTestData(name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// A line's first word and the rest after the one blank that follows it.
inline std::pair<std::string, std::string> FirstWordAndRest(const std::string& line) {
  const std::string word = line.substr(0, line.find(' '));
  return {word, line.size() > word.size() ? line.substr(word.size() + 1) : ""};
}

// The rows of a table, each a list of its columns; blank and comment lines are left out.
inline std::vector<std::vector<std::string>> ReadTestTable(std::string_view name) {
  std::istringstream text(ReadTestData(name));
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(text, line);) {
    line = line.substr(0, line.find('#'));
    std::istringstream columns(line);
    std::vector<std::string> row;
    for (std::string column; columns >> column;) row.push_back(column);
    if (!row.empty()) rows.push_back(row);
  }
  return rows;
}

// The double that the text names, rounded correctly on every platform.
inline double ParseDouble(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw std::invalid_argument("not a number: " + std::string(text));
  }
  return value;
}
