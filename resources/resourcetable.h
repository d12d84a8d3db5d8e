#pragma once
// The resources of all editions as the program uses them: bytes in each edition's code page, found
// by name ("english_zembo" finds ENGLISH_ZEMBO) without regard to case.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resourcedata.h"
#include "resources/uilanguage.h"

namespace zembo {

struct MenuItem {
  int id;  // 0 for a separator
  std::string text;
};

struct Popup {
  std::string text;
  std::vector<MenuItem> items;
};

struct MenuResource {
  std::string name;
  std::vector<Popup> popups;
};

struct DialogControl {
  ControlKind kind;
  int id;
  std::string text;
  int x, y, width, height;
};

struct DialogResource {
  std::string name;
  std::string title;
  int width, height;
  std::vector<DialogControl> controls;
};

struct AcceleratorTable {
  std::string name;
  std::array<Accelerator, 6> entries;
};

struct Edition {
  const UiLanguage* language;
  std::array<std::optional<std::string>, uiTextRows> rows;
  std::vector<MenuResource> menus;
  std::vector<DialogResource> dialogs;
  AcceleratorTable accelerators;
  bool complete;  // every row, menu and dialog is there
};

const std::vector<Edition>& editions();
const Edition* editionOfBase(int base);

const MenuResource* findMenu(std::string_view name);
const DialogResource* findDialog(std::string_view name);
const AcceleratorTable* findAccelerators(std::string_view name);

}  // namespace zembo
