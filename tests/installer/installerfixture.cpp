#include "tests/installer/installerfixture.h"

#include <cstdlib>
#include <cstring>

#include "formats/wordrecord.h"
#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"

namespace zembo::test {

void InstallerTest::SetUp() {
  TempDirTest::SetUp();
  std::filesystem::create_directories(dir / "home");
  ::setenv("HOME", (dir / "home").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  resetScriptState();
  resetDrawingRows();
  setSourceDir(dir);
  changeScript(&ScriptState::installDir, dir);
  setCollationLocale("C");
}

std::string InstallerTest::programPath(const std::string& relative) const { return programName(dir / relative); }

void writeWordList(const std::filesystem::path& path, const std::vector<Entry>& entries, std::int16_t flags) {
  std::string bytes;
  for (const Entry& e : entries) {
    WordRecord r{};
    setField(r.word, sizeof r.word, e.first);
    setField(r.translation, sizeof r.translation, e.second);
    r.flags = flags;
    bytes.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  writeFile(path, bytes);
}

std::vector<Entry> readWordList(const std::filesystem::path& path) {
  const std::string bytes = readFile(path);
  std::vector<Entry> entries;
  for (std::size_t at = 0; at + sizeof(WordRecord) <= bytes.size(); at += sizeof(WordRecord)) {
    WordRecord r;
    std::memcpy(&r, bytes.data() + at, sizeof r);
    entries.emplace_back(std::string(wordOf(r)), std::string(translationOf(r)));
  }
  return entries;
}

std::string lastMessage() {
  const auto& boxes = recordedMessageBoxes();
  return boxes.empty() ? std::string() : boxes.back().text;
}

}  // namespace zembo::test
