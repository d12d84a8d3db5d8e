#pragma once
// A list under review: its entries, each a card with the schedule its card file keeps, and the
// order in which today's cards come.

#include <cstdint>
#include <string>
#include <vector>

#include "review/cards.h"

namespace zembo {

struct DeckCard {
  Card card;
  std::string translation;  // UTF-8; the translations of entries with the same word, joined by ", "
  bool inList = true;       // false for a card whose entry has left the list, or whose way the list no
                            // longer asks (kept until compaction)
};
using Deck = std::vector<DeckCard>;

struct ListEntry {
  std::string word, translation;  // UTF-8
};
// One card per word of the list and way asked, with its stored schedule: the forward cards in list
// order, then the backward ones, so that a word's two ways are not learnt one after the other.
// Stored cards that the list no longer asks come last.
Deck buildDeck(const std::vector<ListEntry>& entries, std::vector<Card> stored, ListWays ways = ListWays::forward);
std::vector<Card> cardsOf(const Deck& deck);

// New cards first reviewed on the local day of now.
int newCardsReviewedToday(const Deck& deck, std::int64_t now);
// The cards to review at now: the due ones, oldest due first, then new ones in list order, as many
// as the day's limit still allows, then the learning steps due within the next twenty minutes
// (shown a little early rather than making the learner wait for them).
std::vector<int> reviewQueue(const Deck& deck, std::int64_t now, int newCardsPerDay);
constexpr std::int64_t learnAheadSeconds = std::int64_t{20} * 60;
// The queue's cards told apart: those to review now (due, and new ones the day allows) and the
// learning steps that come within the learn-ahead, which are shown early when nothing else is left.
struct ReviewCounts {
  int now = 0;
  int soon = 0;
};
ReviewCounts reviewCounts(const Deck& deck, std::int64_t now, int newCardsPerDay);
// When the next card of the list falls due after now; -1 when none is scheduled.
std::int64_t nextDueAfter(const Deck& deck, std::int64_t now);

// Whether a typed answer is right: the grade it proposes. Any one of the comma-separated
// translations typed exactly (case and surrounding blanks ignored; a leading "to ", text in
// parentheses and an abbreviation behind a word, "street St", may be left out) proposes Good; one
// that differs only in accents, or by one letter (one added, dropped or changed; from a form so
// cut only when it keeps four letters or more), Hard; anything else Again.
int proposedGrade(const std::string& typed, const std::string& translations);

}  // namespace zembo
