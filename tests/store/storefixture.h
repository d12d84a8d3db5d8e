#pragma once
// A dictionary of the English edition in a fresh folder: dict.ini with French and German, and
// word files written from lists of words.

#include <string>
#include <utility>
#include <vector>

#include "store/wordrecord.h"
#include "tests/support/testenv.h"

namespace zembo::test {

struct Entry {
  std::string word;
  std::string translation;
  std::int16_t flags = 0;
};

WordRecord makeRecord(const Entry& entry);
void writeWordFile(const std::string& path, const std::vector<Entry>& entries);
std::vector<Entry> readWordFile(const std::string& path);

class StoreTest : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Loads the directions and makes the one with this word file current, without opening it.
  void useDirection(const char* wordFileName);
};

}  // namespace zembo::test
