#pragma once
// The resources of one UI language edition as its source file writes them: UTF-8 text, converted
// once to the edition's code page when the resource table is built.

#include <array>
#include <vector>

namespace zembo {

constexpr int uiTextRows = 95;

struct MenuItemSource {
  int id;
  const char* text;
};

struct PopupSource {
  const char* text;
  std::vector<MenuItemSource> items;
};

struct MenuSource {
  const char* suffix;  // "ZEMBO", "ZOEKEN", "TEKENSET", "LIST", "READFILE"
  std::vector<PopupSource> popups;
};

enum class ControlKind { DefaultButton, Button, Edit, GroupBox, BlackFrame, Text };

// Positions and sizes in dialog units, as a dialog template gives them.
struct DialogControlSource {
  ControlKind kind;
  int id;  // -1 for controls the program never addresses
  const char* text;
  int x, y, width, height;
};

struct DialogSource {
  const char* suffix;  // "ABOUTBOX", "LISTDIALOG"
  const char* title;
  int width, height;
  std::vector<DialogControlSource> controls;
};

enum class AcceleratorKind {
  AltKey,       // a virtual key (letter) pressed with Alt
  ControlChar,  // the control character of a letter, typed with Ctrl
  VirtualKey,   // a key without modifiers
};

constexpr int VK_F1 = 0x70;

struct Accelerator {
  AcceleratorKind kind;
  int key;  // the letter 'A'...'Z', or VK_F1
  int command;
};

struct EditionSource {
  // Rows not yet written are nullptr; an edition with any of them cannot be chosen.
  std::array<const char*, uiTextRows> rows;
  std::vector<MenuSource> menus;
  std::vector<DialogSource> dialogs;
  std::array<Accelerator, 6> accelerators;
};

// One per edition, in the order of the UI language table.
const EditionSource& englishEdition();
const EditionSource& frenchEdition();
const EditionSource& swedishEdition();
const EditionSource& russianLatEdition();
const EditionSource& russianCyrEdition();
const EditionSource& dutchEdition();
const EditionSource& italianEdition();
const EditionSource& norwegianEdition();
const EditionSource& danishEdition();
const EditionSource& germanEdition();

}  // namespace zembo
