#pragma once
// The importer's builder of the reverse word file's records, tuned for the millions of
// translations of a large dictionary.

#include <string>
#include <vector>

#include "formats/wordrecord.h"
#include "importer/stepclock.h"

namespace zembo {

// A word file's translation field parts its translations at commas, so a comma inside one
// translation is the sign U+201A there; a word field holds the plain comma a user types. The sides
// swap here, and so do the two commas.
struct InnerCommas {
  char translations = 0;  // of the forward file's translations (the home language), 0 for none
  char headwords = 0;     // of its headwords
};

// The sign U+201A in a code page, 0 when it has none.
char innerCommaOf(int codePage);

// The reverse word file's records, made as the forward ones are: every translation of every
// forward record is a word whose translations are the headwords that give it, in as many records as
// they need. A headword that gives it early (its everyday sense) comes before one that gives it
// late, so "sein" begins with "be" rather than "his". The parts are grouped by word first, so that
// each word is sorted once however many headwords give it. Every headword has one run of records,
// so the first record of its run stands for it.
std::vector<WordRecord> reverseRecords(const std::vector<WordRecord>& forward, InnerCommas commas, StepClock& clock);

}  // namespace zembo
