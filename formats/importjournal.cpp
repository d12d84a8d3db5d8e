#include "formats/importjournal.h"

#include <cstdio>
#include <system_error>

#include "platform/safefiles.h"
#include "platform/textfile.h"

namespace zembo {

bool writeImportJournal(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& files) {
  std::string text;
  for (const std::filesystem::path& file : files) text += file.string() + "\n";
  return replaceFileSafely(folder / importJournalName,
                           [&text](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

bool finishInterruptedImport(const std::filesystem::path& folder) {
  const std::filesystem::path journal = folder / importJournalName;
  std::FILE* in = std::fopen(journal.c_str(), "rb");
  if (!in) return true;
  bool finished = true;
  std::string line;
  while (readStoredLine(in, line)) {
    if (line.back() == '\n') line.pop_back();
    if (line.empty()) continue;
    const std::filesystem::path file = folder / line;
    const std::filesystem::path next = file.string() + newVersionSuffix;
    std::error_code error;
    if (std::filesystem::exists(next, error) && !renameOver(next, file)) finished = false;
  }
  std::fclose(in);
  if (!finished) return false;
  std::error_code error;
  std::filesystem::remove(journal, error);
  // The journal's removal is made durable too: one found again later would commit files of another import.
  syncFolder(folder);
  return !error;
}

}  // namespace zembo
