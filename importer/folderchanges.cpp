#include "importer/folderchanges.h"

#include "importer/dictd.h"
#include "platform/hostpath.h"

namespace zembo {

namespace {

std::filesystem::path newVersionOf(const std::filesystem::path& file) { return file.string() + ".new"; }

}  // namespace

FolderChanges::~FolderChanges() {
  if (committed_) return;
  std::error_code ignored;
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) std::filesystem::remove(*it, ignored);
}

void FolderChanges::makeFolder(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::create_directory(folder, error)) made_.push_back(folder);
  else if (!std::filesystem::is_directory(folder)) throw ImportError("cannot make the folder " + folder.string());
}

void FolderChanges::write(const std::filesystem::path& file, const std::function<bool(std::FILE*)>& writer) {
  const std::filesystem::path next = newVersionOf(file);
  // One left by an import that was killed is replaced, and stays if this one fails too.
  if (!std::filesystem::exists(next)) made_.push_back(next);
  if (!replaceFileSafely(next, writer))
    throw ImportError("cannot write " + (std::filesystem::current_path() / next).string() + " (is the disk full?)");
  if (!std::filesystem::exists(file)) made_.push_back(file);
  written_.push_back(file);
}

void FolderChanges::writeText(const std::filesystem::path& file, const std::string& text) {
  write(file, [&](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

void FolderChanges::commit() {
  for (const std::filesystem::path& file : written_) {
    const std::filesystem::path next = newVersionOf(file);
    std::error_code ignored;
    if (std::filesystem::exists(file))
      std::filesystem::permissions(next, std::filesystem::status(file).permissions(), ignored);
    if (!renameOver(next, file)) throw ImportError("cannot rename " + next.string() + " to " + file.string());
  }
  committed_ = true;
}

}  // namespace zembo
