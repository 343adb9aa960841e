// Rows of texts printed in aligned columns, two blanks apart, for the readable output.
#pragma once

#include <string>
#include <vector>

namespace tarnel::cli {

class TextTable {
 public:
  void AddRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
  std::string Text() const;

 private:
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace tarnel::cli
