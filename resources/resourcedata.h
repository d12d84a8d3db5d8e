#pragma once
// The resources of one UI language edition as its source file writes them: UTF-8 text, converted
// once to the edition's code page when the resource table is built.

#include <array>
#include <vector>

namespace zembo {

constexpr int uiTextRows = 217;

// The menus and dialogs are described once, in the shapes below; an edition gives only their
// texts, in the order of the shapes, so that no edition can give a command a different id or a
// dialog a different layout.

struct PopupTexts {
  const char* title;
  std::vector<const char*> items;
};

// The texts of one dialog: its title, then the texts of its controls that carry one, in order.
struct DialogTexts {
  const char* title;
  std::vector<const char*> controls;
};

enum class ControlKind { DefaultButton, Button, Edit, GroupBox, BlackFrame, Text, ListBox };

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

// The letters of the four Alt accelerators (Add words, Start practice, Search, Create practice
// list) and of the Ctrl one (Exit); F1 is Help in every edition.
constexpr int acceleratorLetters = 5;

struct EditionSource {
  // Rows not yet written are nullptr; an edition with any of them cannot be chosen.
  std::array<const char*, uiTextRows> rows;
  std::vector<std::vector<PopupTexts>> menus;  // ZEMBO, ZOEKEN, TEKENSET, LIST, READFILE
  std::vector<DialogTexts> dialogs;            // ABOUTBOX, LISTDIALOG, IMPORTDIALOG
  std::array<char, acceleratorLetters> letters;
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
