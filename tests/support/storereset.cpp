#include "tests/support/storereset.h"

#include "directions/directions.h"
#include "resources/uilanguage.h"
#include "store/sort.h"
#include "store/store.h"

namespace zembo::test {

void resetStoreLayers() {
  resetStoreState();
  resetSortState();
  resetDirectionState();
  resetUiLanguageState();
}

}  // namespace zembo::test
