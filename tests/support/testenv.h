#pragma once
// Every test works in a fresh temporary folder of its own, which is also its working directory and
// its XDG_CONFIG_HOME, so that no test touches the user's files or another test's.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zembo::test {

// The platform's state is reset before and after each test.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path dir;

 private:
  std::filesystem::path previousDir_;
};

// The platform's process-wide state as at process start: message boxes shown (not recorded), real
// exits, the first code pages, the C collation. The fixtures of the layers above reset theirs too,
// so that a test program also passes when all its tests run in one process.
void resetPlatformState();

// While one lives, files cannot grow past a size: writes beyond it fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long bytes);
  ~FileSizeLimit();

 private:
  unsigned long previous_[2];
};

// While one lives, no new file can be opened: the limit of open files is at the lowest free one.
class NoNewFiles {
 public:
  NoNewFiles();
  ~NoNewFiles();

 private:
  unsigned long previous_[2];
};

// Runs a check in a child process as the user "nobody" when this process runs as root (else as
// it is), with a folder handed over to that user as working directory. The check returns what
// went wrong, empty when nothing did; a child that cannot drop its rights says so.
std::string asUnprivilegedUser(const std::filesystem::path& folder, const std::function<std::string()>& check);

// Writes bytes to a file (relative to the working directory), creating its folders.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);
// The host path of a path as the program forms it (bytes of the Windows-1252 page unless given).
std::filesystem::path programPath(const std::string& bytes, int codePage = 1252);
// The bytes of an SZDD-compressed file of data, holding literals only (each control byte 0xFF
// announces eight literal bytes), as the old compress tools may write it.
std::string szddOfLiterals(std::string_view data);

}  // namespace zembo::test
