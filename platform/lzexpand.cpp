#include "platform/lzexpand.h"

#include <mspack.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/hostpath.h"
#include "platform/safefiles.h"

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

bool expandCopyTo(const std::filesystem::path& source, const std::filesystem::path& target, std::string* damage) {
  if (!isLzCompressedFile(source)) return copyFileTo(source, target);
  msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
  if (!szdd) return false;
  msszddd_header* header = szdd->open(szdd, source.c_str());
  if (!header) {
    if (damage) *damage = "its header is damaged";
    mspack_destroy_szdd_decompressor(szdd);
    return false;
  }
  std::string why;
  // The decompressor writes by name: it is given the name of the replacement's own descriptor.
  const bool ok = replaceFileSafely(target, [&](std::FILE* out) {
    const std::string written = "/proc/self/fd/" + std::to_string(fileno(out));
    const int status = szdd->extract(szdd, header, written.c_str());
    struct stat st {};
    if (status == MSPACK_ERR_OPEN || status == MSPACK_ERR_WRITE || ::fstat(fileno(out), &st) != 0) return false;
    // A file cut short expands to fewer bytes than its header names, without an error of its own.
    if (status == MSPACK_ERR_OK && st.st_size == static_cast<off_t>(header->length)) return true;
    why = "it expands to " + std::to_string(st.st_size) + " of the " + std::to_string(header->length) +
          " bytes its header names";
    errno = EIO;
    return false;
  });
  const int error = errno;
  szdd->close(szdd, header);
  mspack_destroy_szdd_decompressor(szdd);
  if (ok)
    copyPermissionsTo(source, target);
  else if (damage)
    *damage = why;
  errno = error;
  return ok;
}

}  // namespace zembo
