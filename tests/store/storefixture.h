#pragma once
// A dictionary of the English edition in a fresh folder: dict.ini with French and German, and
// word files written from lists of words.

#include <string>
#include <utility>
#include <vector>

#include "formats/wordrecord.h"
#include "tests/support/testenv.h"
#include "tests/support/wordfiles.h"

namespace zembo::test {

// Resets the store's state and that of the layers below before and after each test.
class StoreTest : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Loads the directions and makes the one with this word file current, without opening it.
  void useDirection(const char* wordFileName);
};

}  // namespace zembo::test
