// Showing the problems the bank tools find.
#include "tools/bank/problems.h"

#include <cstdio>

namespace vexlo::tools {

std::size_t countOf(const std::vector<Problem>& problems, Severity severity) {
  std::size_t count = 0;
  for (const Problem& problem : problems) count += problem.severity == severity ? 1 : 0;
  return count;
}

std::string problemsAsText(std::string_view file, const std::vector<Problem>& problems) {
  std::string out;
  for (const Problem& problem : problems) {
    out += problem.severity == Severity::Error ? "error   " : "warning ";
    out += problem.category;
    out += ": ";
    if (problem.line > 0) {
      out += std::string(file) + ":" + std::to_string(problem.line);
      if (problem.column > 0) out += ":" + std::to_string(problem.column);
      out += ": ";
    }
    if (!problem.section.empty()) out += "[" + problem.section + "] ";
    if (!problem.key.empty()) out += problem.key + ": ";
    out += problem.message;
    out += "\n";
  }
  const std::size_t errors = countOf(problems, Severity::Error);
  const std::size_t warnings = countOf(problems, Severity::Warning);
  out += std::string(file) + ": " + std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") +
         std::to_string(warnings) + (warnings == 1 ? " warning\n" : " warnings\n");
  return out;
}

std::string jsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned char>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string problemsAsJson(std::string_view file, const std::vector<Problem>& problems) {
  std::string out = "{\"file\":" + jsonString(file) +
                    ",\"errors\":" + std::to_string(countOf(problems, Severity::Error)) +
                    ",\"warnings\":" + std::to_string(countOf(problems, Severity::Warning)) +
                    ",\"problems\":[";
  bool first = true;
  for (const Problem& problem : problems) {
    out += first ? "\n" : ",\n";
    first = false;
    out += "{\"severity\":";
    out += problem.severity == Severity::Error ? "\"error\"" : "\"warning\"";
    out += ",\"category\":" + jsonString(problem.category);
    out += ",\"section\":" + jsonString(problem.section);
    out += ",\"key\":" + jsonString(problem.key);
    out += ",\"line\":" + std::to_string(problem.line);
    out += ",\"column\":" + std::to_string(problem.column);
    out += ",\"message\":" + jsonString(problem.message) + "}";
  }
  return out + "]}\n";
}

}  // namespace vexlo::tools
