#include <gtest/gtest.h>

#include <cstring>

#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"

namespace zembo {
namespace {

TEST(UiLanguage, ValueChoosesItsBaseWithoutRegardToCase) {
  EXPECT_EQ(uiLanguageBase("english"), 500);
  EXPECT_EQ(uiLanguageBase("ENGLISH"), 500);
  EXPECT_EQ(uiLanguageBase("English"), 500);
  EXPECT_EQ(uiLanguageBase("RussianCyr"), 1300);
  EXPECT_EQ(uiLanguageBase("german"), 2300);
  EXPECT_EQ(uiLanguageBase("klingon"), 0);
  EXPECT_EQ(uiLanguageBase(""), 0);
  EXPECT_EQ(uiLanguageBase("english "), 0);
  for (int k = 0; k < uiLanguageCount; ++k) EXPECT_EQ(uiLanguages[k].base, 500 + 200 * k);
}

TEST(UiText, RowsLoadIntoTheSharedBufferExactly) {
  setUiBase(500);
  EXPECT_STREQ(loadUiText(14),
               "Error setting LOCALE\nSort results may not be valid.\n\nInstall multi-language support from your "
               "Windows cd-rom for this language.   ");
  EXPECT_EQ(loadUiText(47), uiTextBuffer);
  EXPECT_STREQ(uiTextBuffer, "The characters / \\ < > | . : ? * have special meaning and are not allowed.   ");
  EXPECT_EQ(std::strncmp(loadUiText(75), "INI file not found, Program aborted.\n\nReport this message to :", 62), 0);
  EXPECT_STREQ(loadUiText(1), "language\\");
  EXPECT_STREQ(loadUiText(22), "is empty.      \n\nCreate new practice list?");
  EXPECT_STREQ(loadUiText(72), "Sort failed  ");
  EXPECT_EQ(uiTextNumber(58), static_cast<int>(std::strlen(uiTextCopy(57).c_str())));
  EXPECT_EQ(uiTextNumber(60), static_cast<int>(std::strlen(uiTextCopy(59).c_str())));
}

TEST(UiText, LoadStringCutsToTheBufferAndKnowsNoOtherNumbers) {
  char buffer[8];
  EXPECT_EQ(loadString(500 + 71, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "The wor");
  EXPECT_EQ(loadString(2300 + uiTextRows, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(loadString(499, buffer, sizeof buffer), 0);
}

TEST(UiText, EveryEditionHasTheNameAndNumberRows) {
  const int offsets[] = {213, 170, 194, 213, 200, 207, 193, 200, 205, 188};
  const char* aviKeys[] = {"EnglishAviDelay",   "FrenchAviDelay", "SwedishAviDelay", "KestraEngAviDelay",
                           "KestraCyrAviDelay", "DutchAviDelay",  "ItalianAviDelay", "NorwegianAviDelay",
                           "DanishAviDelay",    "GermanAviDelay"};
  for (int k = 0; k < uiLanguageCount; ++k) {
    setUiBase(uiLanguages[k].base);
    SCOPED_TRACE(uiLanguages[k].iniValue);
    for (int row : {1, 2, 3, 4, 5, 6, 12, 13, 15, 19, 52, 53, 54, 55, 56, 57, 58, 59, 60, 74, 83})
      EXPECT_GT(std::strlen(loadUiText(row)), 0u) << row;
    EXPECT_EQ(uiTextNumber(19), offsets[k]);
    EXPECT_STREQ(loadUiText(15), aviKeys[k]);
    EXPECT_STREQ(loadUiText(6), "zemboicon");
    EXPECT_EQ(uiTextCopy(3), uiTextCopy(2) + "temp.ls");
    EXPECT_EQ(uiTextCopy(4), uiTextCopy(1) + "tempfile");
    EXPECT_EQ(uiTextNumber(58), static_cast<int>(uiTextCopy(57).size()));
    EXPECT_EQ(uiTextNumber(60), static_cast<int>(uiTextCopy(59).size()));
    EXPECT_EQ(uiTextNumber(13), k == 3 || k == 4 ? 204 : 0);
  }
}

TEST(Resources, NamedResourcesAreFoundWithoutRegardToCase) {
  const MenuResource* menu = findMenu("english_zembo");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu, findMenu("ENGLISH_ZEMBO"));
  ASSERT_EQ(menu->popups.size(), 2u);
  EXPECT_EQ(menu->popups[0].text, "&File");
  ASSERT_EQ(menu->popups[0].items.size(), 7u);
  EXPECT_EQ(menu->popups[0].items[0].id, 55);
  EXPECT_EQ(menu->popups[0].items[1].text, "Speak words without recording");
  EXPECT_EQ(menu->popups[0].items[2].id, 63);
  EXPECT_EQ(menu->popups[0].items[4].text, "&Import dictionary...");
  EXPECT_EQ(menu->popups[0].items[5].text, "Import &word list...");
  EXPECT_EQ(menu->popups[0].items[6].text, "E&xit\tCtrl+X");
  EXPECT_EQ(menu->popups[1].items[1].id, 5);
  EXPECT_EQ(findMenu("english_zembox"), nullptr);
  const MenuResource* zoeken = findMenu("English_Zoeken");
  ASSERT_NE(zoeken, nullptr);
  EXPECT_EQ(zoeken->popups[1].text, "Automatic Clipboard search");
  EXPECT_EQ(zoeken->popups[1].items[0].id, 56);
  const DialogResource* about = findDialog("english_AboutBox");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->width, 280);
  EXPECT_EQ(about->height, 85);
  const DialogResource* list = findDialog("english_listdialog");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->title, "Create new list");
  EXPECT_TRUE(editionOfBase(500)->complete);
}

std::string describe(const Accelerator& a) {
  switch (a.kind) {
    case AcceleratorKind::AltKey:
      return std::string("Alt+") + static_cast<char>(a.key);
    case AcceleratorKind::ControlChar:
      return std::string("Ctrl+") + static_cast<char>(a.key);
    case AcceleratorKind::VirtualKey:
      return a.key == VK_F1 ? "F1" : "?";
  }
  return "?";
}

TEST(Resources, AcceleratorTablesOfAllEditions) {
  // Commands 10, 11, 12, 13, 3, 4 in that order.
  const char* expected[uiLanguageCount] = {
      "Alt+A Alt+P Alt+S Alt+C Ctrl+X F1", "Alt+A Alt+P Alt+C Alt+I Ctrl+Q F1", "Alt+O Alt+A Alt+S Alt+T Ctrl+X F1",
      "Alt+A Alt+P Alt+S Alt+C Ctrl+X F1", "Alt+A Alt+P Alt+S Alt+C Ctrl+X F1", "Alt+T Alt+L Alt+Z Alt+A Ctrl+E F1",
      "Alt+G Alt+P Alt+C Alt+R Ctrl+X F1", "Alt+T Alt+O Alt+S Alt+L Ctrl+X F1", "Alt+T Alt+A Alt+S Alt+L Ctrl+A F1",
      "Alt+H Alt+L Alt+S Alt+M Ctrl+E F1",
  };
  for (int k = 0; k < uiLanguageCount; ++k) {
    const AcceleratorTable* table = findAccelerators(std::string(uiLanguages[k].iniValue) + "_accel");
    ASSERT_NE(table, nullptr) << uiLanguages[k].iniValue;
    std::string text;
    const int commands[] = {10, 11, 12, 13, 3, 4};
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(table->entries[static_cast<std::size_t>(i)].command, commands[i]);
      text += (i ? " " : "") + describe(table->entries[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(text, expected[k]) << uiLanguages[k].iniValue;
  }
}

}  // namespace
}  // namespace zembo
