#include "resources/resourcetable.h"

#include <iterator>

#include "platform/asciicase.h"
#include "platform/codepage.h"
#include "resources/commands.h"

namespace zembo {

namespace {

// The menus, dialogs and accelerators of every edition; the editions give their texts.
struct MenuShape {
  const char* suffix;
  std::vector<std::vector<int>> popups;  // the command of each item
};

const MenuShape menuShapes[] = {
    {"ZEMBO",
     {{cmdStayOnTop, cmdSpeakWords, cmdReviewList, cmdTextFileSearch, cmdImportDictionary, cmdImportWordList, cmdExit},
      {cmdHelp, cmdAbout}}},
    {"ZOEKEN",
     {{cmdCharsetOn, cmdCharsetOff},
      {cmdClipboardOn, cmdClipboardOff},
      {cmdArticlePaneOn, cmdArticlePaneOff},
      {cmdFindInEntries}}},
    {"TEKENSET", {{cmdCharsetOn, cmdCharsetOff}}},
    {"LIST", {{cmdCreateNewList, cmdDeleteCurrentList, cmdExportList, cmdExportAnkiDeck}}},
    {"READFILE", {{cmdOpenTextFile, cmdPasteText}, {cmdArticlePaneOn, cmdArticlePaneOff}}},
};

// Positions and sizes in dialog units, as a dialog template gives them.
struct ControlShape {
  ControlKind kind;
  int id;  // -1 for controls the program never addresses
  bool hasText;
  int x, y, width, height;
};

struct DialogShape {
  const char* suffix;
  int width, height;
  std::vector<ControlShape> controls;
};

const DialogShape dialogShapes[] = {
    {"ABOUTBOX",
     280,
     85,
     {
         {ControlKind::BlackFrame, -1, false, 5, 2, 107, 77},
         {ControlKind::BlackFrame, -1, false, 117, 2, 158, 77},
         {ControlKind::Text, -1, true, 124, 9, 146, 10},  // the program and its version
         {ControlKind::Text, -1, true, 124, 22, 146, 10},
         {ControlKind::Text, -1, true, 124, 35, 146, 10},  // the web address
         {ControlKind::Text, -1, true, 124, 48, 146, 10},  // the mail address
         {ControlKind::DefaultButton, idOk, true, 220, 61, 48, 14},
     }},
    {"LISTDIALOG",
     213,
     80,
     {
         {ControlKind::GroupBox, -1, true, 7, 6, 199, 42},
         {ControlKind::Edit, idListNameField, false, 16, 22, 181, 14},
         {ControlKind::DefaultButton, idOk, true, 48, 57, 50, 14},
         {ControlKind::Button, idCancel, true, 115, 57, 50, 14},
     }},
    {"IMPORTDIALOG",
     220,
     140,
     {
         {ControlKind::Text, -1, true, 7, 6, 206, 10},
         {ControlKind::ListBox, idDictionaryList, false, 7, 18, 206, 94},
         {ControlKind::Button, cmdOtherFile, true, 7, 119, 64, 14},
         {ControlKind::DefaultButton, idOk, true, 105, 119, 50, 14},
         {ControlKind::Button, idCancel, true, 163, 119, 50, 14},
     }},
};

// The commands of the edition's accelerator letters, then Help on F1.
const Accelerator acceleratorShape[] = {
    {AcceleratorKind::AltKey, 0, cmdAddWords},  {AcceleratorKind::AltKey, 0, cmdStartPractice},
    {AcceleratorKind::AltKey, 0, cmdSearch},    {AcceleratorKind::AltKey, 0, cmdCreatePracticeList},
    {AcceleratorKind::ControlChar, 0, cmdExit}, {AcceleratorKind::VirtualKey, VK_F1, cmdHelp},
};

std::array<Accelerator, 6> acceleratorsOf(const EditionSource& source) {
  std::array<Accelerator, 6> table{};
  for (std::size_t k = 0; k < table.size(); ++k) {
    table[k] = acceleratorShape[k];
    if (k < source.letters.size()) table[k].key = static_cast<unsigned char>(source.letters[k]);
  }
  return table;
}

// The edition's menu texts laid over a shape; false when their numbers do not match it.
bool fillMenu(const MenuShape& shape, const std::vector<PopupTexts>& texts, int cp, MenuResource& menu) {
  if (texts.size() != shape.popups.size()) return false;
  for (std::size_t p = 0; p < texts.size(); ++p) {
    const std::vector<int>& ids = shape.popups[p];
    if (texts[p].items.size() != ids.size()) return false;
    Popup popup{fromUtf8(texts[p].title, cp), {}};
    for (std::size_t i = 0; i < ids.size(); ++i) popup.items.push_back({ids[i], fromUtf8(texts[p].items[i], cp)});
    menu.popups.push_back(std::move(popup));
  }
  return true;
}

bool fillDialog(const DialogShape& shape, const DialogTexts& texts, int cp, DialogResource& dialog) {
  dialog.title = fromUtf8(texts.title, cp);
  std::size_t next = 0;
  for (const ControlShape& c : shape.controls) {
    std::string text;
    if (c.hasText) {
      if (next == texts.controls.size()) return false;
      text = fromUtf8(texts.controls[next++], cp);
    }
    dialog.controls.push_back({c.kind, c.id, std::move(text), c.x, c.y, c.width, c.height});
  }
  return next == texts.controls.size();
}

Edition convert(const UiLanguage& language, const EditionSource& source) {
  const int cp = language.codePage;
  const std::string prefix = std::string(language.prefix) + "_";
  Edition edition{&language, {}, {}, {}, {prefix + "ACCEL", acceleratorsOf(source)}, true};
  for (int row = 0; row < uiTextRows; ++row) {
    if (source.rows[static_cast<std::size_t>(row)])
      edition.rows[static_cast<std::size_t>(row)] = fromUtf8(source.rows[static_cast<std::size_t>(row)], cp);
    else
      edition.complete = false;
  }
  for (std::size_t m = 0; m < std::size(menuShapes) && m < source.menus.size(); ++m) {
    MenuResource menu{prefix + menuShapes[m].suffix, {}};
    if (fillMenu(menuShapes[m], source.menus[m], cp, menu)) edition.menus.push_back(std::move(menu));
  }
  for (std::size_t d = 0; d < std::size(dialogShapes) && d < source.dialogs.size(); ++d) {
    DialogResource dialog{prefix + dialogShapes[d].suffix, {}, dialogShapes[d].width, dialogShapes[d].height, {}};
    if (fillDialog(dialogShapes[d], source.dialogs[d], cp, dialog)) edition.dialogs.push_back(std::move(dialog));
  }
  edition.complete = edition.complete && edition.menus.size() == std::size(menuShapes) &&
                     edition.dialogs.size() == std::size(dialogShapes);
  return edition;
}

template <typename Resource, typename Member>
const Resource* findByName(std::string_view name, Member member) {
  for (const Edition& edition : editions())
    for (const Resource& r : edition.*member)
      if (equalNoCase(r.name, name)) return &r;
  return nullptr;
}

}  // namespace

const std::vector<Edition>& editions() {
  static const std::vector<Edition> all = [] {
    const EditionSource* sources[uiLanguageCount] = {
        &englishEdition(), &frenchEdition(),  &swedishEdition(),   &russianLatEdition(), &russianCyrEdition(),
        &dutchEdition(),   &italianEdition(), &norwegianEdition(), &danishEdition(),     &germanEdition(),
    };
    std::vector<Edition> list;
    list.reserve(uiLanguageCount);
    for (int k = 0; k < uiLanguageCount; ++k) list.push_back(convert(uiLanguages[k], *sources[k]));
    return list;
  }();
  return all;
}

const Edition* editionOfBase(int base) {
  for (const Edition& edition : editions())
    if (edition.language->base == base) return &edition;
  return nullptr;
}

const MenuResource* findMenu(std::string_view name) { return findByName<MenuResource>(name, &Edition::menus); }

const DialogResource* findDialog(std::string_view name) { return findByName<DialogResource>(name, &Edition::dialogs); }

const AcceleratorTable* findAccelerators(std::string_view name) {
  for (const Edition& edition : editions())
    if (equalNoCase(edition.accelerators.name, name)) return &edition.accelerators;
  return nullptr;
}

}  // namespace zembo
