#include "platform/lzexpand.h"

#include <mspack.h>

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
  // The decompressor writes by name: it is given the name of the replacement's own descriptor.
  const bool ok = replaceFileSafely(hostPath(toProgramPath), [&](std::FILE* out) {
    const std::string written = "/proc/self/fd/" + std::to_string(fileno(out));
    return szdd->decompress(szdd, hostPath(fromProgramPath).c_str(), written.c_str()) == MSPACK_ERR_OK;
  });
  if (ok) copyPermissions(fromProgramPath, toProgramPath);
  mspack_destroy_szdd_decompressor(szdd);
  return ok;
}

}  // namespace zembo
