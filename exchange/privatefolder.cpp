#include "exchange/privatefolder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>

namespace zembo {

PrivateFolder::PrivateFolder() {
  std::error_code failure;
  const std::filesystem::path base = std::filesystem::temp_directory_path(failure);
  std::string name = ((failure ? std::filesystem::path("/tmp") : base) / "zembo-exchange-XXXXXX").string();
  // mkdtemp makes it with mode 0700 under a name nobody had.
  if (::mkdtemp(name.data()) == nullptr) {
    error_ = "cannot make a temporary folder: " + std::string(std::strerror(errno));
    return;
  }
  path_ = name;
}

PrivateFolder::~PrivateFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace zembo
