#include "store/currentdirection.h"

#include "platform/collation.h"
#include "platform/messagebox.h"
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

}  // namespace zembo
