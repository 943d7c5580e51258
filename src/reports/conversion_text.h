// The text that the HTML and CSV conversions write for a report, apart from
// the files around it, so tests can look at it line by line. Input lines are
// the report's lines with their newlines; output is code page 1252.
#pragma once

#include <string>
#include <vector>

namespace kt {

// The whole HTML page of a report: head with styles, one block per page of
// the report headed by the institution heading and the report name.
std::string html_page(const std::vector<std::string>& lines, int options, const std::string& heading,
                      const std::string& stem);

// The CSV text of a report; `rule_mode` drops rule lines (".txt" reports).
std::string csv_text(const std::vector<std::string>& lines, bool rule_mode);

}  // namespace kt
