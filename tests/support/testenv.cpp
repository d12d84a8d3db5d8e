#include "tests/support/testenv.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/hostpath.h"
#include "platform/messagebox.h"

namespace zembo::test {

void TempDirTest::SetUp() {
  previousDir_ = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "zembo-test-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  dir = pattern;
  std::filesystem::current_path(dir);
  ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  startRecordingMessageBoxes();
  throwOnProcessExit(true);
}

void TempDirTest::TearDown() {
  throwOnProcessExit(false);
  stopRecordingMessageBoxes();
  std::filesystem::current_path(previousDir_);
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path programPath(const std::string& bytes, int codePage) { return hostPath(bytes, codePage); }

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string szddOfLiterals(std::string_view data) {
  std::string out("SZDD\x88\xF0\x27\x33" "A", 9);
  out += '\0';
  const auto n = static_cast<std::uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
  for (std::size_t i = 0; i < data.size(); i += 8) {
    out += '\xFF';
    out += data.substr(i, 8);
  }
  return out;
}

}  // namespace zembo::test
