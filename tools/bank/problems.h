// The problems the bank tools find, and how they are shown: one line per problem for people, or a
// JSON document for programs. Every text of a problem is UTF-8, ready for display.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::tools {

enum class Severity { Error, Warning };

struct Problem {
  Severity severity = Severity::Error;
  std::string category;  // a short tag such as "count", "line", "unscorable"
  std::string section;   // the section it concerns, or empty
  std::string key;       // the key it concerns, or empty
  std::size_t line = 0;  // the line of the file it concerns, or 0
  std::size_t column = 0;
  std::string message;  // one clear sentence
};

// Counts the problems of one severity.
std::size_t countOf(const std::vector<Problem>& problems, Severity severity);

// One line per problem ("error   count  [问题内容2] 问题个数: ..."), then a summary line.
std::string problemsAsText(std::string_view file, const std::vector<Problem>& problems);

// {"file":..., "errors":n, "warnings":n, "problems":[{"severity":..., "category":..., "section":...,
//  "key":..., "line":..., "column":..., "message":...}, ...]}
std::string problemsAsJson(std::string_view file, const std::vector<Problem>& problems);

// A text as a JSON string literal, quotes included.
std::string jsonString(std::string_view utf8);

}  // namespace vexlo::tools
