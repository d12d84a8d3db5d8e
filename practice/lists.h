#pragma once
// Named practice lists on disk: the list folder holds one folder per list, and each list folder
// one list file per direction. The current list is practiceListName (the store's); these
// operations create, fill, empty, compact and delete its files.

#include <string>
#include <string_view>

#include "platform/messagebox.h"
#include "resources/commands.h"

namespace zembo {

struct ListState {
  int listId = firstListId;   // menu id of the current list in the Lists menu: 400 + its position
  bool listModified = false;  // a deleted mark was toggled since the list file was last compacted
};
extern const ListState& lists;
void setListId(int id);
void markListModified(bool modified);
// The first list and nothing modified, as at process start.
void resetListState();

// After a change of list: the current list's file of the current direction, and its count.
void reopenListFile();

// A fresh installation has no list folder yet; without it no list could ever be made.
void ensureListFolder();
// Creates the current list's folder; an existing one is no error.
void makeListFolder();

enum class ListNameCheck { accepted, blank, reservedCharacter, controlCharacter };
// A list name becomes a folder name: it may not leave the list folder, name the folder itself
// or hold what the host cannot keep in a name.
ListNameCheck checkListName(std::string_view name);
constexpr std::size_t maxListNameLength = 148;

// A name for a new list from a file's name (bytes in the edition's code page): what a list name
// may not hold becomes a blank, and a name taken already gets " 2", " 3", ... behind it.
std::string freeListName(std::string_view fileStem);
// Makes the list of this name current, its folder made when new, and opens its file.
void makeListCurrent(std::string_view name);

// The current direction's list file of the current list; with no current list, the file of that
// name directly in the list folder.
std::string currentListFilePath();

void emptyListFile();       // the list file deleted and opened again, empty
void copyWordFileToList();  // the list file replaced by a copy of the word file
// The list file rewritten without its records marked deleted, under a progress window.
void compactListFile();
// Drops the review cards whose entries have left the current list (their log lines stay). The
// list editor does it when it closes, after its compaction, so that emptying a list and filling
// it again keeps the cards of the words that came back.
void dropCardsOfLeftEntries();
// Deletes the current list's files and folder, then makes the first remaining list current.
// Messages are owned by owner.
void deleteCurrentList(WindowHandle owner);

// Our own warning for names the host cannot hold (the UI texts name only the reserved
// characters).
extern const char* const controlCharacterWarning;

}  // namespace zembo
