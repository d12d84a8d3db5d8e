#include "importer/userentries.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "formats/fields.h"
#include "formats/reverselist.h"
#include "importer/entries.h"
#include "platform/asciicase.h"
#include "platform/textfile.h"

namespace zembo {

namespace {

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The entries the add-words window logged for one direction of the language ("new\\" + its
// source and target names), live ones only.
std::vector<WordRecord> loggedEntries(const std::string& source, const std::string& target) {
  std::vector<WordRecord> out;
  std::FILE* file = openFile("new\\" + source + "_" + target + ".zb", "rb");
  if (!file) return out;
  WordRecord record;
  while (std::fread(&record, sizeof record, 1, file) == 1)
    if (record.flags == 0 && !wordOf(record).empty() && !translationOf(record).empty()) out.push_back(record);
  std::fclose(file);
  return out;
}

// Adds the parts of a field that are not among the list yet.
void addParts(std::string_view field, std::vector<std::string>& list) {
  forEachField(field, ',', [&](std::string_view part) {
    std::string translation(trimBlanks(part));
    if (!translation.empty() && std::find(list.begin(), list.end(), translation) == list.end())
      list.push_back(std::move(translation));
  });
}

}  // namespace

std::vector<WordRecord> userEntries(const Pair& pair, std::int64_t& count) {
  const std::string home = inEdition(pair.edition->homeName, pair);
  std::vector<WordRecord> out = loggedEntries(pair.name, home);
  const std::vector<WordRecord> reverse = loggedEntries(home, pair.name);
  count = static_cast<std::int64_t>(out.size() + reverse.size());
  for (const WordRecord& entry : reverse)
    forEachField(translationOf(entry), ',', [&](std::string_view part) {
      const std::string_view word = trimBlanks(part);
      if (word.empty() || word.size() > wordFieldSize - 1) return;
      out.push_back(reverseRecord(word, wordOf(entry)));
    });
  return out;
}

void mergeUserEntries(std::vector<WordRecord>& forward, const std::vector<WordRecord>& users) {
  if (users.empty()) return;
  struct UserWord {
    std::string_view word;           // as the user first spelled it
    std::vector<std::string> parts;  // the user's translations
    bool placed = false;             // joined to the dictionary's word
  };
  std::unordered_map<std::string, UserWord> usersOf;  // by lower-case word
  std::vector<const std::string*> order;              // the keys in the order the user added them
  for (const WordRecord& user : users) {
    auto [it, added] = usersOf.try_emplace(asciiLowerCopy(wordOf(user)), UserWord{wordOf(user), {}, false});
    if (added) order.push_back(&it->first);
    addParts(translationOf(user), it->second.parts);
  }
  const auto append = [](std::string_view word, const std::vector<std::string>& list, std::vector<WordRecord>& out) {
    std::int64_t tooLong = 0;  // every part came from a field, so none is
    appendWordRecords(word, {list.begin(), list.end()}, out, tooLong);
  };
  std::vector<WordRecord> merged;
  merged.reserve(forward.size() + users.size());
  std::string key;
  for (std::size_t i = 0; i < forward.size();) {
    std::size_t end = i + 1;
    while (end < forward.size() && wordOf(forward[end]) == wordOf(forward[i])) ++end;
    key.assign(wordOf(forward[i]));
    for (char& c : key) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
    if (const auto user = usersOf.find(key); user != usersOf.end() && !std::exchange(user->second.placed, true)) {
      std::vector<std::string> list = user->second.parts;
      for (std::size_t k = i; k < end; ++k) addParts(translationOf(forward[k]), list);
      append(wordOf(forward[i]), list, merged);
    } else {
      merged.insert(merged.end(), forward.begin() + static_cast<std::ptrdiff_t>(i),
                    forward.begin() + static_cast<std::ptrdiff_t>(end));
    }
    i = end;
  }
  // The words the dictionary lacks come first.
  std::vector<WordRecord> newWords;
  for (const std::string* k : order)
    if (const UserWord& user = usersOf.at(*k); !user.placed) append(user.word, user.parts, newWords);
  merged.insert(merged.begin(), newWords.begin(), newWords.end());
  forward = std::move(merged);
}

}  // namespace zembo
