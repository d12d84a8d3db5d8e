// The importer keeps its own table of what it needs of each edition, since it links neither the
// program's texts nor its windows; the table must say what the editions' own texts say.

#include <gtest/gtest.h>

#include <string>

#include "importer/editions.h"
#include "platform/codepage.h"
#include "resources/resourcetable.h"
#include "resources/uitextrows.h"

namespace zembo::test {
namespace {

TEST(ImporterEditions, AgreeWithTheEditionsOwnTexts) {
  ASSERT_EQ(editions().size(), static_cast<std::size_t>(editionCount));
  for (const Edition& program : editions()) {
    const FolderEdition* importer = findEdition(program.language->iniValue);
    ASSERT_NE(importer, nullptr) << program.language->iniValue;
    SCOPED_TRACE(program.language->iniValue);
    const auto text = [&](int row) {
      return toUtf8(program.rows[static_cast<std::size_t>(row)].value(), program.language->codePage);
    };
    EXPECT_EQ(importer->wordFolder, text(textLanguageFolder));
    EXPECT_EQ(importer->listFolder, text(textListFolder));
    EXPECT_EQ(importer->locale, text(textLocaleName));
    EXPECT_EQ(std::to_string(importer->charset), text(textCharset));
    EXPECT_EQ(importer->homeName, text(textLanguageName));
    EXPECT_EQ(importer->configFile, text(textConfigFileName));
    EXPECT_EQ(importer->addNewValue, text(textAddNewOn));
    EXPECT_EQ(importer->languageHeader, text(textLanguageHeader));
    EXPECT_EQ(importer->selectedHeader, text(textSelectedHeader));
    EXPECT_EQ(importer->addNewHeader, text(textAddNewHeader));
  }
}

}  // namespace
}  // namespace zembo::test
