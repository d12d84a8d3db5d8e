#pragma once
// Splitting a line into fields as strtok does: a run of separators counts as one, so no field is
// empty.

#include <string_view>
#include <vector>

namespace zembo {

template <typename Handler>
void forEachField(std::string_view text, char separator, Handler handle) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(separator, at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(separator, start), text.size());
    handle(text.substr(start, end - start));
    at = end;
  }
}

inline std::vector<std::string_view> splitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  forEachField(text, separator, [&fields](std::string_view field) { fields.push_back(field); });
  return fields;
}

}  // namespace zembo
