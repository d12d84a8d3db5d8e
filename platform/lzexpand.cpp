#include "platform/lzexpand.h"

#include <mspack.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/hostpath.h"

namespace zembo {

namespace {

bool isLzCompressedFile(const std::filesystem::path& source) {
  std::FILE* file = std::fopen(source.c_str(), "rb");
  if (!file) return false;
  unsigned char head[8] = {};
  const std::size_t n = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  static const unsigned char szdd[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
  static const unsigned char qbasic[8] = {'S', 'Z', ' ', 0x88, 0xF0, 0x27, 0x33, 0xD1};
  return n == 8 && (std::memcmp(head, szdd, 8) == 0 || std::memcmp(head, qbasic, 8) == 0);
}

}  // namespace

bool isLzCompressed(std::string_view programPath) { return isLzCompressedFile(hostPath(programPath)); }

bool expandCopy(std::string_view fromProgramPath, std::string_view toProgramPath) {
  return expandCopyTo(hostPath(fromProgramPath), hostPath(toProgramPath));
}

bool expandCopyTo(const std::filesystem::path& source, const std::filesystem::path& target) {
  if (!isLzCompressedFile(source)) return copyFileTo(source, target);
  msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
  if (!szdd) return false;
  std::string temp = target.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  bool ok = fd >= 0;
  if (ok) {
    ::fchmod(fd, 0644);
    ::close(fd);
    ok = szdd->decompress(szdd, source.c_str(), temp.c_str()) == MSPACK_ERR_OK;
    if (ok) {
      std::FILE* written = std::fopen(temp.c_str(), "rb+");
      ok = written && syncAndClose(written) && renameOver(temp, target);
    }
    if (!ok) ::unlink(temp.c_str());
  }
  if (ok) copyPermissionsTo(source, target);
  mspack_destroy_szdd_decompressor(szdd);
  return ok;
}

}  // namespace zembo
