#pragma once
// What the import makes in a folder: every file is written beside its place first ("name.new")
// and takes its place only when all of them are whole. Until then a failure removes what was
// made, newest first, so that the folder is as it was.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zembo {

class FolderChanges {
 public:
  FolderChanges() = default;
  FolderChanges(const FolderChanges&) = delete;
  FolderChanges& operator=(const FolderChanges&) = delete;
  // Without commit, removes what was made.
  ~FolderChanges();

  // Makes a folder unless it is there; throws ImportError when it cannot.
  void makeFolder(const std::filesystem::path& folder);
  // Writes a file's new version beside it; throws ImportError when it cannot.
  void write(const std::filesystem::path& file, const std::function<bool(std::FILE*)>& writer);
  void writeText(const std::filesystem::path& file, const std::string& text);
  // Every new version takes its place, with the old file's permissions.
  void commit();

 private:
  std::vector<std::filesystem::path> made_, written_;
  bool committed_ = false;
};

}  // namespace zembo
