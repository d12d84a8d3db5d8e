// Writes to the state of other modules, planted one at a time by the CTests StateWriteRefused.*:
// each must fail to compile, for the state is a const view everywhere but in its owner's source
// file. As it stands the file only reads, and compiles (StateWriteRefused.none), so that a failure
// proves the write and not a missing header. It is compiled as a file of lookup/ other than the
// text window's, the one file that writes textFiles.

#include <cstring>
#include <utility>

#include "directions/directions.h"
#include "lookup/textwindow.h"
#include "platform/hostpath.h"
#include "resources/uilanguage.h"

namespace zembo {

int readEveryState() {
  const int seen = directions.directionCount + uiLanguage.uiBase + hostPaths.fileNameCodePage +
                   static_cast<int>(textFiles.textFileName.size());
#if defined(PLANTED_REFERENCE)
  auto& s = directions;
  s.directionCount = 1;
#elif defined(PLANTED_STRCPY)
  std::strcpy(uiLanguage.uiLanguageName, "english");
#elif defined(PLANTED_MEMSET)
  std::memset(&hostPaths, 0, sizeof hostPaths);
#elif defined(PLANTED_SWAP)
  int count = 0;
  std::swap(count, directions.directionCount);
#elif defined(PLANTED_SPLIT)
  // clang-format off
  directions
      .directionCount
      = 2;
  // clang-format on
#elif defined(PLANTED_SIBLING)
  textFiles.textFileName = "other.txt";
#endif
  return seen;
}

}  // namespace zembo
