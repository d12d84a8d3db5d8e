#include "resources/resourcetable.h"

#include "platform/asciicase.h"
#include "platform/codepage.h"

namespace zembo {

namespace {

constexpr const char* menuSuffixes[] = {"ZEMBO", "ZOEKEN", "TEKENSET", "LIST", "READFILE"};
constexpr const char* dialogSuffixes[] = {"ABOUTBOX", "LISTDIALOG"};

Edition convert(const UiLanguage& language, const EditionSource& source) {
  const int cp = language.codePage;
  const std::string prefix = std::string(language.prefix) + "_";
  Edition edition{&language, {}, {}, {}, {prefix + "ACCEL", source.accelerators}, true};
  for (int row = 0; row < uiTextRows; ++row) {
    if (source.rows[static_cast<std::size_t>(row)])
      edition.rows[static_cast<std::size_t>(row)] = fromUtf8(source.rows[static_cast<std::size_t>(row)], cp);
    else
      edition.complete = false;
  }
  for (const MenuSource& menu : source.menus) {
    MenuResource converted{prefix + menu.suffix, {}};
    for (const PopupSource& popup : menu.popups) {
      Popup p{fromUtf8(popup.text, cp), {}};
      for (const MenuItemSource& item : popup.items) p.items.push_back({item.id, fromUtf8(item.text, cp)});
      converted.popups.push_back(std::move(p));
    }
    edition.menus.push_back(std::move(converted));
  }
  for (const DialogSource& dialog : source.dialogs) {
    DialogResource converted{prefix + dialog.suffix, fromUtf8(dialog.title, cp), dialog.width, dialog.height, {}};
    for (const DialogControlSource& c : dialog.controls)
      converted.controls.push_back({c.kind, c.id, fromUtf8(c.text, cp), c.x, c.y, c.width, c.height});
    edition.dialogs.push_back(std::move(converted));
  }
  auto has = [&edition](std::string_view name, const auto& list) {
    for (const auto& r : list)
      if (equalNoCase(r.name, name)) return true;
    return false;
  };
  for (const char* suffix : menuSuffixes) edition.complete = edition.complete && has(prefix + suffix, edition.menus);
  for (const char* suffix : dialogSuffixes) edition.complete = edition.complete && has(prefix + suffix, edition.dialogs);
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

const DialogResource* findDialog(std::string_view name) {
  return findByName<DialogResource>(name, &Edition::dialogs);
}

const AcceleratorTable* findAccelerators(std::string_view name) {
  for (const Edition& edition : editions())
    if (equalNoCase(edition.accelerators.name, name)) return &edition.accelerators;
  return nullptr;
}

}  // namespace zembo
