#pragma once
// What the installer's tests share: a fresh folder that is the working directory, the home folder
// and the data home, the installer's state as it is at start-up, and word lists written and read
// as pairs of texts.

#include <string>
#include <utility>
#include <vector>

#include "tests/support/testenv.h"

namespace zembo::test {

using Entry = std::pair<std::string, std::string>;  // word, translation

class InstallerTest : public TempDirTest {
 protected:
  void SetUp() override;

  // The path of a file of the test folder, for the installer (absolute, in program form).
  std::string programPath(const std::string& relative) const;
};

void writeWordList(const std::filesystem::path& path, const std::vector<Entry>& entries, std::int16_t flags = 0);
std::vector<Entry> readWordList(const std::filesystem::path& path);

// The message of the last recorded box.
std::string lastMessage();

}  // namespace zembo::test
