#include "store/currentdirection.h"

#include <filesystem>

#include "platform/asciicase.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "resources/uilanguage.h"
#include "store/collate.h"
#include "store/store.h"

namespace zembo {

void prepareCurrentCollation() {
  // A locale that cannot be set leaves the one in force.
  if (loadStoreCollation(messageBoxes.mainWindowHandle)) useCollation(store.collation.locale);
}

void makeDirectionCurrent(DictionaryDirection* direction) {
  setCurrentDirection(direction);
  prepareCurrentCollation();
  reopenStore();
}

int activateDirection() {
  prepareCurrentCollation();
  const int recorded = recordSelectedDirection();
  reopenStore();
  return recorded;
}

DictionaryDirection* openFolderDirection(const char* folder, const char* language, std::string& error) {
  std::error_code entered;
  std::filesystem::current_path(folder, entered);
  if (entered) {
    error = std::string("cannot enter ") + folder;
    return nullptr;
  }
  readUiLanguage();
  if (loadDirections() != 0) {
    error = std::string("no dictionary configuration in ") + folder;
    return nullptr;
  }
  DictionaryDirection* direction = directions.directionList;
  while (direction && !equalNoCase(direction->sourceName, language)) direction = direction->next;
  if (!direction) {
    error = std::string("no direction from ") + language;
    return nullptr;
  }
  makeDirectionCurrent(direction);
  return direction;
}

}  // namespace zembo
