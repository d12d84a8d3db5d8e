#pragma once
// A folder of the program's own under the system's temporary folder, readable only by the user
// and removed with everything in it when it goes: SQLite needs a file to open, and nothing of a
// package is ever written where a name inside the package would put it.

#include <filesystem>
#include <string>

namespace zembo {

class PrivateFolder {
 public:
  PrivateFolder();
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  // Empty when the folder could not be made (error says why).
  const std::filesystem::path& path() const { return path_; }
  const std::string& error() const { return error_; }

 private:
  std::filesystem::path path_;
  std::string error_;
};

}  // namespace zembo
