#include "tests/installer/fakedisplay.h"

namespace zembo::test {

namespace {

std::string boxText(const Box& box) {
  return std::to_string(box.left) + "," + std::to_string(box.top) + "," + std::to_string(box.right) + "," +
         std::to_string(box.bottom);
}

}  // namespace

void FakeDisplay::showHeadline(const Box& box, std::string_view text) {
  shown.push_back("headline " + boxText(box) + " " + std::string(text));
}

void FakeDisplay::showProgressBar(const Box& bar, int fillEdge, std::string_view text) {
  shown.push_back("bar " + boxText(bar) + " " + std::to_string(fillEdge) + " " + std::string(text));
}

void FakeDisplay::showStepText(const Box& box, std::string_view text) {
  shown.push_back("step " + boxText(box) + " " + std::string(text));
}

void FakeDisplay::showCounter(const Box& box, std::int64_t value) {
  shown.push_back("counter " + boxText(box) + " " + std::to_string(value));
}

void FakeDisplay::showTargetPath(const std::filesystem::path& target) { shown.push_back("path " + target.string()); }

std::vector<std::string> FakeDisplay::linesOf(const std::string& word) const {
  std::vector<std::string> lines;
  for (const std::string& line : shown)
    if (line.rfind(word + " ", 0) == 0) lines.push_back(line);
  return lines;
}

}  // namespace zembo::test
