#include "platform/lzexpand.h"

#include <mspack.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/hostpath.h"

namespace zembo {

bool isLzCompressed(std::string_view programPath) {
  std::FILE* file = openFile(programPath, "rb");
  if (!file) return false;
  unsigned char head[8] = {};
  const std::size_t n = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  static const unsigned char szdd[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
  static const unsigned char qbasic[8] = {'S', 'Z', ' ', 0x88, 0xF0, 0x27, 0x33, 0xD1};
  return n == 8 && (std::memcmp(head, szdd, 8) == 0 || std::memcmp(head, qbasic, 8) == 0);
}

bool expandCopy(std::string_view fromProgramPath, std::string_view toProgramPath) {
  if (!isLzCompressed(fromProgramPath)) return copyFileReplacing(fromProgramPath, toProgramPath);
  msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
  if (!szdd) return false;
  const std::filesystem::path target = hostPath(toProgramPath);
  std::string temp = target.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  bool ok = fd >= 0;
  if (ok) {
    ::fchmod(fd, 0644);
    ::close(fd);
    ok = szdd->decompress(szdd, hostPath(fromProgramPath).c_str(), temp.c_str()) == MSPACK_ERR_OK;
    if (ok) {
      std::FILE* written = std::fopen(temp.c_str(), "rb+");
      ok = written && syncAndClose(written) && renameOver(temp, target);
    }
    if (!ok) ::unlink(temp.c_str());
  }
  if (ok) copyPermissions(fromProgramPath, toProgramPath);
  mspack_destroy_szdd_decompressor(szdd);
  return ok;
}

}  // namespace zembo
