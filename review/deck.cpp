#include "review/deck.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <unordered_map>

namespace zembo {

Deck buildDeck(const std::vector<ListEntry>& entries, std::vector<Card> stored) {
  Deck deck;
  deck.reserve(entries.size() + stored.size());
  std::unordered_map<std::string_view, std::size_t> position;
  position.reserve(entries.size() + stored.size());
  for (const ListEntry& entry : entries) {
    auto [it, added] = position.try_emplace(std::string_view(entry.word), deck.size());
    if (added) {
      DeckCard card;
      card.card.word = entry.word;
      card.translation = entry.translation;
      deck.push_back(std::move(card));
    } else if (!entry.translation.empty()) {
      std::string& joined = deck[it->second].translation;
      joined += joined.empty() ? entry.translation : ", " + entry.translation;
    }
  }
  for (Card& card : stored) {
    auto it = position.find(card.word);
    if (it != position.end()) {
      // The keys view the entries' words and the words of cards kept apart; a second line of
      // the same word in a card file must not replace the word a key views.
      if (deck[it->second].inList) deck[it->second].card = std::move(card);
    } else {
      deck.push_back({std::move(card), "", false});
      position.emplace(std::string_view(deck.back().card.word), deck.size() - 1);
    }
  }
  return deck;
}

std::vector<Card> cardsOf(const Deck& deck) {
  std::vector<Card> cards;
  cards.reserve(deck.size());
  for (const DeckCard& d : deck)
    if (d.card.schedule.state != CardState::newCard) cards.push_back(d.card);
  return cards;
}

int newCardsReviewedToday(const Deck& deck, std::int64_t now) {
  const int today = localDay(now);
  int count = 0;
  for (const DeckCard& d : deck)
    if (d.card.firstReview > 0 && localDay(d.card.firstReview) == today) count++;
  return count;
}

namespace {

bool inSteps(const CardSchedule& s) { return s.state == CardState::learning || s.state == CardState::relearning; }

}  // namespace

std::vector<int> reviewQueue(const Deck& deck, std::int64_t now, int newCardsPerDay) {
  std::vector<int> due, fresh, ahead;
  int newLeft = std::max(0, newCardsPerDay - newCardsReviewedToday(deck, now));
  for (int i = 0; i < static_cast<int>(deck.size()); i++) {
    const DeckCard& d = deck[i];
    if (!d.inList) continue;
    if (d.card.schedule.state == CardState::newCard) {
      if (static_cast<int>(fresh.size()) < newLeft) fresh.push_back(i);
    } else if (d.card.schedule.due <= now) {
      due.push_back(i);
    } else if (inSteps(d.card.schedule) && d.card.schedule.due <= now + learnAheadSeconds) {
      ahead.push_back(i);
    }
  }
  std::stable_sort(due.begin(), due.end(),
                   [&](int a, int b) { return deck[a].card.schedule.due < deck[b].card.schedule.due; });
  std::stable_sort(ahead.begin(), ahead.end(),
                   [&](int a, int b) { return deck[a].card.schedule.due < deck[b].card.schedule.due; });
  due.insert(due.end(), fresh.begin(), fresh.end());
  due.insert(due.end(), ahead.begin(), ahead.end());
  return due;
}

ReviewCounts reviewCounts(const Deck& deck, std::int64_t now, int newCardsPerDay) {
  ReviewCounts counts;
  for (int i : reviewQueue(deck, now, newCardsPerDay)) {
    const CardSchedule& s = deck[i].card.schedule;
    (s.state != CardState::newCard && s.due > now ? counts.soon : counts.now)++;
  }
  return counts;
}

std::int64_t nextDueAfter(const Deck& deck, std::int64_t now) {
  std::int64_t next = -1;
  for (const DeckCard& d : deck) {
    const std::int64_t due = d.card.schedule.due;
    if (d.inList && d.card.schedule.state != CardState::newCard && due > now && (next < 0 || due < next)) next = due;
  }
  return next;
}

namespace {

icu::UnicodeString trimmed(const icu::UnicodeString& text) {
  icu::UnicodeString copy(text);
  return copy.trim();
}

// Case folded, and without accents when asked: decomposed, the combining marks dropped.
icu::UnicodeString comparable(const icu::UnicodeString& text, bool withoutAccents) {
  icu::UnicodeString folded(text);
  folded.foldCase();
  if (!withoutAccents) return folded;
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  if (U_FAILURE(status)) return folded;
  icu::UnicodeString decomposed = nfd->normalize(folded, status);
  icu::UnicodeString plain;
  for (int32_t i = 0; i < decomposed.length();) {
    const UChar32 c = decomposed.char32At(i);
    if (u_charType(c) != U_NON_SPACING_MARK) plain.append(c);
    i += U16_LENGTH(c);
  }
  return plain;
}

// True when b is a with one letter added, dropped or changed.
bool oneLetterApart(const icu::UnicodeString& a, const icu::UnicodeString& b) {
  const int32_t la = a.length(), lb = b.length();
  if (la == lb) {
    int differences = 0;
    for (int32_t i = 0; i < la && differences < 2; i++) differences += a[i] != b[i];
    return differences == 1;
  }
  if (std::abs(la - lb) != 1) return false;
  const icu::UnicodeString& longer = la > lb ? a : b;
  const icu::UnicodeString& shorter = la > lb ? b : a;
  int32_t i = 0;
  while (i < shorter.length() && shorter[i] == longer[i]) i++;
  for (; i < shorter.length(); i++)
    if (shorter[i] != longer[i + 1]) return false;
  return true;
}

}  // namespace

int proposedGrade(const std::string& typed, const std::string& translations) {
  const icu::UnicodeString answer = trimmed(icu::UnicodeString::fromUTF8(typed));
  if (answer.isEmpty()) return again;
  int best = again;
  std::size_t start = 0;
  while (start <= translations.size()) {
    std::size_t comma = translations.find(',', start);
    if (comma == std::string::npos) comma = translations.size();
    const icu::UnicodeString one = trimmed(icu::UnicodeString::fromUTF8(translations.substr(start, comma - start)));
    start = comma + 1;
    if (one.isEmpty()) continue;
    if (comparable(one, false) == comparable(answer, false)) return good;
    if (comparable(one, true) == comparable(answer, true) ||
        oneLetterApart(comparable(one, false), comparable(answer, false)))
      best = hard;
  }
  return best;
}

}  // namespace zembo
