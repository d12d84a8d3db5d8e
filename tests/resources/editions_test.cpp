// The ten UI language editions: every edition must be complete, keep the shape of the English texts
// (line breaks, layout blanks, the pieces the program joins), hold the bytes that users of that
// edition have on disk, survive its code page, and come with menus and a help file that work.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include "platform/codepage.h"
#include "resources/commands.h"
#include "resources/resourcedata.h"
#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"

namespace zembo {
namespace {

const EditionSource& sourceOf(int k) {
  const EditionSource* sources[uiLanguageCount] = {
      &englishEdition(), &frenchEdition(),  &swedishEdition(),   &russianLatEdition(), &russianCyrEdition(),
      &dutchEdition(),   &italianEdition(), &norwegianEdition(), &danishEdition(),     &germanEdition(),
  };
  return *sources[k];
}

const Edition& english() { return editions()[0]; }

std::string row(const Edition& edition, int n) { return edition.rows[static_cast<std::size_t>(n)].value_or(""); }

int countOf(const std::string& text, char c) { return static_cast<int>(std::count(text.begin(), text.end(), c)); }

int trailingBlanks(const std::string& text) {
  int n = 0;
  for (auto it = text.rbegin(); it != text.rend() && *it == ' '; ++it) ++n;
  return n;
}

// Rows whose trailing blanks pad a message box or a joined text.
constexpr int layoutBlankRows[] = {14, 20, 22, 47, 50, 72, 75};

TEST(Editions, EveryEditionIsCompleteAndKeepsTheShapeOfTheEnglishRows) {
  ASSERT_EQ(editions().size(), static_cast<std::size_t>(uiLanguageCount));
  for (const Edition& edition : editions()) {
    SCOPED_TRACE(edition.language->iniValue);
    EXPECT_TRUE(edition.complete);
    for (int n = 0; n < uiTextRows; ++n) {
      ASSERT_TRUE(edition.rows[static_cast<std::size_t>(n)].has_value()) << "row " << n;
      const std::string text = row(edition, n);
      const std::string en = row(english(), n);
      EXPECT_EQ(text.empty(), en.empty()) << "row " << n;
      // Longer texts would be cut by the shared text buffer.
      EXPECT_LT(text.size(), static_cast<std::size_t>(uiTextBufferSize)) << "row " << n;
      EXPECT_EQ(countOf(text, '\n'), countOf(en, '\n')) << "row " << n << ": " << text;
      EXPECT_EQ(text.find('\t'), std::string::npos) << "row " << n;
    }
    for (int n : layoutBlankRows) EXPECT_EQ(trailingBlanks(row(edition, n)), trailingBlanks(row(english(), n))) << n;
    const std::string empty = row(edition, 22);
    EXPECT_EQ(trailingBlanks(empty.substr(0, empty.find('\n'))), 6) << empty;

    EXPECT_EQ(row(edition, 0), row(edition, 74)) << "message box caption and window title";
    EXPECT_EQ(row(edition, 10), "tekenset");
    EXPECT_EQ(row(edition, 81), "http://www.zembo.example");
    EXPECT_EQ(row(edition, 82), "support@zembo.example");
    const std::string fatal = row(edition, 75);
    const std::string contact = "\nsupport@zembo.example\nhttp://www.zembo.example";
    ASSERT_GT(fatal.size(), contact.size());
    EXPECT_EQ(fatal.substr(fatal.size() - contact.size()), contact);
    EXPECT_EQ(fatal.find("\n\n"), fatal.find('\n')) << "the message and its request are a paragraph apart";
    // The add-random prompt goes on with the word count and ") ?".
    const std::string prompt = row(edition, 38);
    EXPECT_EQ(prompt.substr(prompt.size() - 2), ". ") << prompt;
    EXPECT_NE(prompt.find('('), std::string::npos) << prompt;
    // The language menu title is a menu bar title with exactly one mnemonic.
    EXPECT_EQ(countOf(row(edition, 76), '&'), 1) << row(edition, 76);
    for (int n = 0; n < uiTextRows; ++n)
      if (n != 76) {
        EXPECT_EQ(row(edition, n).find('&'), std::string::npos) << "row " << n;
      }
  }
}

struct Binding {
  int row;
  const char* bytes;
};

// What a user of each edition has on disk: folder names, configuration sections and switch values,
// the names of the UI language, the help file of the English edition. Bytes in the edition's code page.
TEST(Editions, BindingRowsAreTheBytesOfEachEditionsFiles) {
  const std::map<std::string, std::vector<Binding>> expected = {
      {"english",
       {{1, "language\\"},
        {2, "list\\"},
        {5, "icons\\"},
        {12, "english"},
        {52, "English"},
        {53, "dict.ini"},
        {54, "on"},
        {55, "off"},
        {56, "[language]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[AddNew]"},
        {60, "8"},
        {74, "Dictionary"},
        {83, "dict.hlp"}}},
      {"french",
       {{1, "langue\\"},
        {2, "liste\\"},
        {5, "icones\\"},
        {12, "french"},
        {52,
         "Fran\xE7"
         "ais"},
        {53, "dict.ini"},
        {54, "on"},
        {55, "off"},
        {56, "[langue]"},
        {57, "[selectionn\xE9]"},
        {58, "13"},
        {59, "[ajouter]"},
        {60, "9"}}},
      {"swedish",
       {{1, "sprak\\"},
        {2, "lista\\"},
        {5, "icons\\"},
        {12, "swedish"},
        {52, "Svenska"},
        {54, "p\xE5"},
        {55, "av"},
        {56, "[Spr\xE5k]"},
        {57, "[Valda]"},
        {58, "7"},
        {59, "[L\xE4gg till nya]"},
        {60, "15"}}},
      {"russianlat",
       {{1, "language\\"},
        {2, "list\\"},
        {5, "icons\\"},
        {12, "russian"},
        {52, "Russian"},
        {54, "on"},
        {55, "off"},
        {56, "[language]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[AddNew]"},
        {60, "8"}}},
      {"russiancyr",
       {{1, "language\\"},
        {2, "list\\"},
        {5, "icons\\"},
        {12, "russian"},
        {52, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9"},
        {54, "on"},
        {55, "off"},
        {56, "[language]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[AddNew]"},
        {60, "8"}}},
      {"dutch",
       {{1, "taal\\"},
        {2, "lijst\\"},
        {5, "icons\\"},
        {12, "dutch"},
        {52, "Nederlands"},
        {53, "zembo.ini"},
        {54, "on"},
        {55, "off"},
        {56, "[taal]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[toevoegen]"},
        {60, "11"}}},
      {"italian",
       {{1, "language\\"},
        {2, "list\\"},
        {5, "icons\\"},
        {12, "italian"},
        {52, "Italiano"},
        {54, "on"},
        {55, "off"},
        {56, "[language]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[AddNew]"},
        {60, "8"}}},
      {"norwegian",
       {{1, "language\\"},
        {2, "list\\"},
        {5, "icons\\"},
        {12, "norwegian-bokmal"},
        {52, "Norsk"},
        {53, "dict.ini"},
        {54, "P\xE5"},
        {55, "Av"},
        {56, "[language]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[AddNew]"},
        {60, "8"}}},
      {"danish",
       {{1, "language\\"},
        {2, "list\\"},
        {5, "icons\\"},
        {12, "danish"},
        {52, "Dansk"},
        {53, "dict.ini"},
        {54, "on"},
        {55, "off"},
        {56, "[language]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[AddNew]"},
        {60, "8"}}},
      {"german",
       {{1, "sprache\\"},
        {2, "liste\\"},
        {5, "icons\\"},
        {12, "german"},
        {52, "Deutsch"},
        {54, "on"},
        {55, "off"},
        {56, "[sprache]"},
        {57, "[selected]"},
        {58, "10"},
        {59, "[zuf\xFCgen]"},
        {60, "9"}}},
  };
  ASSERT_EQ(expected.size(), static_cast<std::size_t>(uiLanguageCount));
  char buffer[uiTextBufferSize];
  for (int k = 0; k < uiLanguageCount; ++k) {
    SCOPED_TRACE(uiLanguages[k].iniValue);
    for (const Binding& b : expected.at(uiLanguages[k].iniValue)) {
      loadString(uiLanguages[k].base + b.row, buffer, sizeof buffer);
      EXPECT_EQ(std::string(buffer), b.bytes) << "row " << b.row;
    }
    // Every edition keeps its own configuration and help files apart from the others' unless the
    // editions share one by design (English, French, Norwegian and Danish share dict.ini).
    for (int j = 0; j < k; ++j) {
      EXPECT_NE(row(editions()[k], 83), row(editions()[j], 83)) << uiLanguages[j].iniValue;
      const bool shared = row(editions()[k], 53) == "dict.ini" && row(editions()[j], 53) == "dict.ini";
      if (!shared) {
        EXPECT_NE(row(editions()[k], 53), row(editions()[j], 53)) << uiLanguages[j].iniValue;
      }
    }
  }
}

// Every text of the sources, in order: rows, then menus, then dialogs (their controls without
// text give an empty one, as the converted dialogs hold it).
std::vector<std::string> sourceTexts(const EditionSource& source, const Edition& converted) {
  std::vector<std::string> texts;
  for (const char* r : source.rows) texts.push_back(r ? r : "");
  for (const std::vector<PopupTexts>& menu : source.menus)
    for (const PopupTexts& popup : menu) {
      texts.push_back(popup.title);
      for (const char* item : popup.items) texts.push_back(item);
    }
  for (std::size_t d = 0; d < source.dialogs.size(); ++d) {
    texts.push_back(source.dialogs[d].title);
    std::size_t next = 0;
    for (const DialogControl& c : converted.dialogs.at(d).controls)
      texts.push_back(c.text.empty() ? "" : source.dialogs[d].controls.at(next++));
  }
  return texts;
}

std::vector<std::string> convertedTexts(const Edition& edition) {
  std::vector<std::string> texts;
  for (const auto& r : edition.rows) texts.push_back(r.value_or(""));
  for (const MenuResource& menu : edition.menus)
    for (const Popup& popup : menu.popups) {
      texts.push_back(popup.text);
      for (const MenuItem& item : popup.items) texts.push_back(item.text);
    }
  for (const DialogResource& dialog : edition.dialogs) {
    texts.push_back(dialog.title);
    for (const DialogControl& c : dialog.controls) texts.push_back(c.text);
  }
  return texts;
}

TEST(Editions, EveryTextSurvivesItsEditionsCodePage) {
  for (int k = 0; k < uiLanguageCount; ++k) {
    const Edition& edition = editions()[static_cast<std::size_t>(k)];
    SCOPED_TRACE(edition.language->iniValue);
    const std::vector<std::string> source = sourceTexts(sourceOf(k), edition);
    const std::vector<std::string> converted = convertedTexts(edition);
    ASSERT_EQ(source.size(), converted.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
      // A character outside the code page would have become "?".
      EXPECT_EQ(toUtf8(converted[i], edition.language->codePage), source[i]);
      if (k == 3) {
        for (unsigned char c : converted[i]) EXPECT_LT(c, 0x80) << "the Latin Russian edition is ASCII: " << source[i];
      }
    }
  }
}

TEST(Editions, MenusAndDialogsHaveTheEnglishStructure) {
  for (const Edition& edition : editions()) {
    SCOPED_TRACE(edition.language->iniValue);
    const std::string prefix = std::string(edition.language->prefix) + "_";
    ASSERT_EQ(edition.menus.size(), english().menus.size());
    for (std::size_t m = 0; m < edition.menus.size(); ++m) {
      const MenuResource& menu = edition.menus[m];
      const MenuResource& en = english().menus[m];
      EXPECT_EQ(menu.name.substr(prefix.size()), en.name.substr(std::strlen("ENGLISH_")));
      EXPECT_EQ(findMenu(menu.name), &menu);
      ASSERT_EQ(menu.popups.size(), en.popups.size()) << menu.name;
      for (std::size_t p = 0; p < menu.popups.size(); ++p) {
        ASSERT_EQ(menu.popups[p].items.size(), en.popups[p].items.size()) << menu.name << " popup " << p;
        EXPECT_EQ(menu.popups[p].text.find('&') == std::string::npos, en.popups[p].text.find('&') == std::string::npos)
            << menu.popups[p].text;
        for (std::size_t i = 0; i < menu.popups[p].items.size(); ++i) {
          const MenuItem& item = menu.popups[p].items[i];
          const MenuItem& enItem = en.popups[p].items[i];
          EXPECT_EQ(item.id, enItem.id) << menu.name << " popup " << p << " item " << i;
          EXPECT_FALSE(item.text.empty());
          // Items without a mnemonic in English (Stay on top, the On/Off pair of the clipboard
          // search, the list commands) have none in any edition.
          EXPECT_EQ(item.text.find('&') == std::string::npos, enItem.text.find('&') == std::string::npos) << item.text;
        }
      }
    }
    // The ZOEKEN and TEKENSET Character set popups are the same menu in two windows.
    EXPECT_EQ(edition.menus[1].popups[0].text, edition.menus[2].popups[0].text);

    ASSERT_EQ(edition.dialogs.size(), english().dialogs.size());
    for (std::size_t d = 0; d < edition.dialogs.size(); ++d) {
      const DialogResource& dialog = edition.dialogs[d];
      const DialogResource& en = english().dialogs[d];
      EXPECT_EQ(findDialog(dialog.name), &dialog);
      EXPECT_EQ(dialog.name.substr(prefix.size()), en.name.substr(std::strlen("ENGLISH_")));
      EXPECT_EQ(dialog.width, en.width);
      EXPECT_EQ(dialog.height, en.height);
      ASSERT_EQ(dialog.controls.size(), en.controls.size()) << dialog.name;
      for (std::size_t c = 0; c < dialog.controls.size(); ++c) {
        const DialogControl& a = dialog.controls[c];
        const DialogControl& b = en.controls[c];
        EXPECT_TRUE(a.kind == b.kind && a.id == b.id && a.x == b.x && a.y == b.y && a.width == b.width &&
                    a.height == b.height)
            << dialog.name << " control " << c;
        EXPECT_EQ(a.text.empty(), b.text.empty()) << dialog.name << " control " << c;
      }
    }
    const DialogResource& about = edition.dialogs[0];
    EXPECT_EQ(about.title, row(edition, 0));
    EXPECT_NE(about.controls[2].text.find("zembo"), std::string::npos) << about.controls[2].text;
    EXPECT_NE(about.controls[2].text.find("1.0"), std::string::npos) << about.controls[2].text;
    EXPECT_EQ(about.controls[4].text, row(edition, 81));
    EXPECT_EQ(about.controls[5].text, row(edition, 82));
    EXPECT_EQ(about.controls[6].text, row(edition, 9));
    const DialogResource& list = edition.dialogs[1];
    EXPECT_EQ(list.title, row(edition, 42));
    EXPECT_EQ(list.controls[0].text, row(edition, 43));
    EXPECT_EQ(list.controls[2].text, row(edition, 9));
    EXPECT_EQ(list.controls[3].text, row(edition, 8));
  }
}

// The text as the toolkit shows it: code points, decoded from the edition's code page.
std::u32string unicode(const Edition& edition, const std::string& text) {
  const std::string utf8 = toUtf8(text, edition.language->codePage);
  std::u32string points;
  for (int32_t i = 0; i < static_cast<int32_t>(utf8.size());) {
    UChar32 c;
    U8_NEXT(utf8.data(), i, static_cast<int32_t>(utf8.size()), c);
    points.push_back(static_cast<char32_t>(c));
  }
  return points;
}

// 1 when the bytes are well-formed UTF-8.
bool isUtf8(const std::string& text) {
  for (int32_t i = 0; i < static_cast<int32_t>(text.size());) {
    UChar32 c;
    U8_NEXT(text.data(), i, static_cast<int32_t>(text.size()), c);
    if (c < 0) return false;
  }
  return true;
}

// The letter after "&" ("&&" is a literal ampersand), upper case; 0 when there is none.
char32_t mnemonic(const std::u32string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != U'&') continue;
    if (text[i + 1] == U'&') {
      ++i;
      continue;
    }
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(text[i + 1])));
  }
  return 0;
}

// The key that types a mnemonic letter: Cyrillic letters lie on the keys of the standard Russian
// layout, whose Alt+letter accelerators are the Latin letters of the same keys.
char32_t keyOf(char32_t letter) {
  static const std::u32string cyrillic = U"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";
  static const std::u32string keys = U"QWERTYUIOP[]ASDFGHJKL;'ZXCVBNM,.`";
  const std::size_t at = cyrillic.find(letter);
  return at == std::u32string::npos ? letter : keys[at];
}

TEST(Editions, MnemonicsDoNotCollide) {
  for (const Edition& edition : editions()) {
    SCOPED_TRACE(edition.language->iniValue);
    for (const MenuResource& menu : edition.menus) {
      std::set<char32_t> titles;
      for (const Popup& popup : menu.popups) {
        const char32_t title = mnemonic(unicode(edition, popup.text));
        if (title != 0) {
          EXPECT_TRUE(titles.insert(keyOf(title)).second) << menu.name << ": " << popup.text;
        }
        std::set<char32_t> letters;
        for (const MenuItem& item : popup.items) {
          const char32_t letter = mnemonic(unicode(edition, item.text));
          if (letter != 0) {
            EXPECT_TRUE(letters.insert(letter).second) << menu.name << ": " << item.text;
          }
        }
      }
    }
    // The main window's bar: File, then the language menu inserted at run time, then Help; the
    // Alt+letter accelerators are looked at before the menu bar, so a title on their keys never opens.
    std::set<char32_t> bar;
    std::vector<std::string> titles = {edition.menus[0].popups[0].text, row(edition, 76),
                                       edition.menus[0].popups[1].text};
    for (const std::string& title : titles) {
      const char32_t letter = mnemonic(unicode(edition, title));
      ASSERT_NE(letter, 0U) << title;
      EXPECT_TRUE(bar.insert(keyOf(letter)).second) << title;
      for (const Accelerator& a : edition.accelerators.entries)
        if (a.kind == AcceleratorKind::AltKey) {
          EXPECT_NE(keyOf(letter), static_cast<char32_t>(a.key)) << title;
        }
    }
  }
}

const MenuItem* itemOf(const Edition& edition, int id) {
  for (const Popup& popup : edition.menus[0].popups)
    for (const MenuItem& item : popup.items)
      if (item.id == id) return &item;
  return nullptr;
}

TEST(Editions, ExitAndHelpItemsShowTheEditionsOwnKeys) {
  for (const Edition& edition : editions()) {
    SCOPED_TRACE(edition.language->iniValue);
    const Accelerator* exitKey = nullptr;
    const Accelerator* helpKey = nullptr;
    for (const Accelerator& a : edition.accelerators.entries) {
      if (a.command == 3) exitKey = &a;
      if (a.command == 4) helpKey = &a;
    }
    ASSERT_TRUE(exitKey && helpKey);
    ASSERT_EQ(exitKey->kind, AcceleratorKind::ControlChar);
    const MenuItem* exitItem = itemOf(edition, 3);
    const MenuItem* helpItem = itemOf(edition, 4);
    ASSERT_TRUE(exitItem && helpItem);
    const std::string exitText = exitItem->text.substr(exitItem->text.find('\t') + 1);
    // The Control key is labelled "Strg" on German keyboards.
    const std::string letter(1, static_cast<char>(exitKey->key));
    EXPECT_TRUE(exitText == "Ctrl+" + letter || exitText == "Strg+" + letter) << exitItem->text;
    EXPECT_GT(exitItem->text.find('\t'), 0u);
    ASSERT_EQ(helpKey->kind, AcceleratorKind::VirtualKey);
    EXPECT_EQ(helpKey->key, VK_F1);
    EXPECT_EQ(helpItem->text.substr(helpItem->text.find('\t')), "\tF1");
    for (const MenuResource& menu : edition.menus)
      for (const Popup& popup : menu.popups)
        for (const MenuItem& item : popup.items)
          if (item.id == cmdFindInEntries) {
            // The search window's own key: Find, as in every program.
            const std::string key = item.text.substr(item.text.find('\t') + 1);
            EXPECT_TRUE(key == "Ctrl+F" || key == "Strg+F") << item.text;
          } else if (item.id != 3 && item.id != 4) {
            EXPECT_EQ(item.text.find('\t'), std::string::npos) << item.text;
          }
  }
}

// A row as UTF-8, for comparing with the help files.
std::string rowUtf8(const Edition& edition, int n) { return toUtf8(row(edition, n), edition.language->codePage); }

std::string readHelpFile(const Edition& edition) {
  const std::filesystem::path path = std::filesystem::path(ZEMBO_SOURCE_DIR) / "data" / rowUtf8(edition, 83);
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs of blanks and line ends as one blank, so that a label wrapped in the HTML source still matches.
std::string collapseBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (blank && !out.empty() && out.back() == ' ') continue;
    out += blank ? ' ' : c;
  }
  return out;
}

// A menu text as the user reads it: without the mnemonic marker and the key after the tab.
std::string label(const Edition& edition, const std::string& text) {
  std::string shown = text.substr(0, text.find('\t'));
  shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
  // "Find in entries..." opens a window of that name, which the help names without the dots.
  if (shown.ends_with("...")) shown.resize(shown.size() - 3);
  return toUtf8(shown, edition.language->codePage);
}

std::vector<std::string> matches(const std::string& html, const std::string& pattern) {
  std::vector<std::string> found;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator(); ++it)
    found.push_back((*it)[1].str());
  return found;
}

TEST(HelpFiles, EveryEditionHasItsManualWithTheKeywordAnchors) {
  for (const Edition& edition : editions()) {
    SCOPED_TRACE(edition.language->iniValue);
    const std::string html = readHelpFile(edition);
    ASSERT_FALSE(html.empty()) << "data/" << rowUtf8(edition, 83);
    EXPECT_TRUE(isUtf8(html)) << "not UTF-8";
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);

    // The keywords that the text-file search and the add-words window jump to, each at a heading.
    for (int n : {93, 67}) {
      const std::string anchor = "<a name=\"" + rowUtf8(edition, n) + "\"></a>";
      const std::size_t at = html.find(anchor);
      ASSERT_NE(at, std::string::npos) << anchor;
      const std::size_t next = html.find_first_not_of(" \n", at + anchor.size());
      EXPECT_EQ(html.compare(next, 3, "<h2"), 0) << anchor;
    }

    // The contents list before the first section links to every section, and every link lands.
    const std::vector<std::string> names = matches(html, "<a name=\"([^\"]*)\"");
    const std::vector<std::string> links = matches(html, "href=\"#([^\"]*)\"");
    for (const std::string& link : links)
      EXPECT_NE(std::find(names.begin(), names.end(), link), names.end()) << "#" << link;
    const std::size_t firstSection = html.find("<h2", html.find("<h2") + 1);
    ASSERT_NE(firstSection, std::string::npos);
    const std::string contents = html.substr(0, firstSection);
    const std::vector<std::string> sections = matches(html.substr(firstSection), "<h2><a name=\"([^\"]*)\"");
    EXPECT_GE(sections.size(), 10u);
    for (const std::string& section : sections)
      EXPECT_NE(contents.find("href=\"#" + section + "\""), std::string::npos) << section;
  }
}

TEST(HelpFiles, DescribeTheEditionsOwnLabelsKeysAndFolders) {
  for (const Edition& edition : editions()) {
    SCOPED_TRACE(edition.language->iniValue);
    const std::string html = collapseBlanks(readHelpFile(edition));
    ASSERT_FALSE(html.empty());
    auto expectMentioned = [&html](const std::string& text) {
      EXPECT_NE(html.find(collapseBlanks(text)), std::string::npos) << text;
    };
    // Buttons, window titles and the texts a user acts on.
    const int shownRows[] = {7,  11, 16, 17, 18, 23, 24, 25, 26, 27, 33, 36, 37, 39, 42, 43, 46,
                             64, 65, 68, 77, 78, 79, 80, 84, 85, 86, 87, 88, 89, 90, 91, 92, 94};
    for (int n : shownRows) {
      // Without the blanks and colon that a field or number follows.
      const std::string text = rowUtf8(edition, n);
      expectMentioned(text.substr(0, text.find_last_not_of(" :") + 1));
    }
    expectMentioned(label(edition, row(edition, 76)));
    for (const MenuResource& menu : edition.menus)
      for (const Popup& popup : menu.popups) {
        expectMentioned(label(edition, popup.text));
        for (const MenuItem& item : popup.items) expectMentioned(label(edition, item.text));
      }
    // The Alt keys of the four buttons, and no other edition's.
    std::string altKeys;
    for (const Accelerator& a : edition.accelerators.entries)
      if (a.kind == AcceleratorKind::AltKey) altKeys += static_cast<char>(a.key);
    for (char key : altKeys) expectMentioned(std::string("Alt+") + key);
    for (const std::string& key : matches(html, "Alt\\+([A-Z0-9])"))
      EXPECT_NE(altKeys.find(key), std::string::npos) << "Alt+" << key;
    const std::string exitItem = itemOf(edition, 3)->text;
    expectMentioned(exitItem.substr(exitItem.find('\t') + 1));
    // The edition's own files and folders, as they lie on disk.
    for (int n : {1, 2, 5}) {
      std::string folder = rowUtf8(edition, n);
      std::replace(folder.begin(), folder.end(), '\\', '/');
      expectMentioned(folder);
    }
    for (int n : {15, 53, 56, 57, 83}) expectMentioned(rowUtf8(edition, n));
  }
}

}  // namespace
}  // namespace zembo
