#pragma once
// The entries a user added to a language with the add-words window, which an import that
// replaces the language keeps.

#include <cstdint>
#include <vector>

#include "formats/wordrecord.h"
#include "importer/plan.h"

namespace zembo {

// The entries a user added to the language, as forward records: those of the forward direction as
// they are, and each translation part of a reverse one with its word, as the add-words window
// feeds the other direction.
std::vector<WordRecord> userEntries(const Pair& pair, std::int64_t& count);
// The user's entries join the dictionary's: a word the dictionary has (ASCII case aside) gets the
// user's translations first, then its own, in as many records as they need; the others come first
// in the file's records, so that their reverse entries come first too.
void mergeUserEntries(std::vector<WordRecord>& forward, const std::vector<WordRecord>& users);

}  // namespace zembo
