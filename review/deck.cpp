#include "review/deck.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <unordered_map>

namespace zembo {

Deck buildDeck(const std::vector<ListEntry>& entries, std::vector<Card> stored, ListWays ways) {
  Deck deck;
  deck.reserve(2 * entries.size() + stored.size());
  // The cards of each way by word; the keys view the words of the cards in the deck.
  std::unordered_map<std::string_view, std::size_t> position[2];
  for (CardWay way : {CardWay::forward, CardWay::backward}) {
    if (!listAsks(ways, way)) continue;
    auto& at = position[static_cast<int>(way)];
    at.reserve(entries.size() + stored.size());
    for (const ListEntry& entry : entries) {
      auto [it, added] = at.try_emplace(std::string_view(entry.word), deck.size());
      if (added) {
        DeckCard card;
        card.card.word = entry.word;
        card.card.way = way;
        card.translation = entry.translation;
        deck.push_back(std::move(card));
      } else if (!entry.translation.empty()) {
        std::string& joined = deck[it->second].translation;
        joined += joined.empty() ? entry.translation : ", " + entry.translation;
      }
    }
  }
  for (Card& card : stored) {
    auto& at = position[static_cast<int>(card.way)];
    auto it = at.find(card.word);
    if (it != at.end()) {
      // A second line of the same card in a card file must not replace the word a key views.
      if (deck[it->second].inList) deck[it->second].card = std::move(card);
    } else {
      deck.push_back({std::move(card), "", false});
      at.emplace(std::string_view(deck.back().card.word), deck.size() - 1);
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

namespace {

// Text in parentheses left out: "(to) go (somewhere)" is "go".
icu::UnicodeString withoutParentheses(const icu::UnicodeString& text) {
  icu::UnicodeString out;
  int depth = 0;
  for (int32_t i = 0; i < text.length(); ++i) {
    const char16_t c = text[i];
    if (c == u'(') ++depth;
    if (depth == 0) out.append(c);
    if (c == u')' && depth > 0) --depth;
  }
  return trimmed(out);
}

// Whether the last word of text abbreviates the word before it, as an older import left it behind a
// translation ("street St", "road Rd", "doctor Dr"): up to four letters, a capital first, each
// found in order in the word before, whose first letter it shares.
bool endsInAbbreviation(const icu::UnicodeString& text, int32_t blank) {
  const icu::UnicodeString last(text, blank + 1);
  if (last.length() < 1 || last.length() > 4 || !u_isupper(last.char32At(0))) return false;
  int32_t wordStart = text.lastIndexOf(u' ', 0, blank) + 1;
  icu::UnicodeString word(text, wordStart, blank - wordStart), abbreviation(last);
  word.foldCase();
  abbreviation.foldCase();
  if (word.length() <= abbreviation.length() || word[0] != abbreviation[0] || !u_islower(text.char32At(wordStart)))
    return false;
  int32_t at = 0;
  for (int32_t k = 0; k < abbreviation.length(); ++k) {
    at = word.indexOf(abbreviation[k], at);
    if (at < 0) return false;
    ++at;
  }
  return true;
}

// The forms an answer may take of one translation: as it stands; without what stands in
// parentheses; without the "to " of an English verb; without an abbreviation behind it.
std::vector<icu::UnicodeString> answerForms(const icu::UnicodeString& translation) {
  std::vector<icu::UnicodeString> forms{translation};
  const auto add = [&forms](const icu::UnicodeString& form) {
    if (!form.isEmpty() && std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
  };
  add(withoutParentheses(translation));
  for (std::size_t k = 0; k < forms.size(); ++k) {
    const icu::UnicodeString form = forms[k];
    if (form.startsWith(u"to ") && form.length() > 3) add(trimmed(icu::UnicodeString(form, 3)));
    const int32_t blank = form.lastIndexOf(u' ');
    if (blank > 0 && endsInAbbreviation(form, blank)) add(trimmed(icu::UnicodeString(form, 0, blank)));
  }
  return forms;
}

}  // namespace

int proposedGrade(const std::string& typed, const std::string& translations) {
  const icu::UnicodeString answer = trimmed(icu::UnicodeString::fromUTF8(typed));
  if (answer.isEmpty()) return again;
  // The answer is taken as loosely as a translation: "to go" and "go (away)" are "go".
  std::vector<icu::UnicodeString> answers;
  for (const icu::UnicodeString& form : answerForms(answer)) answers.push_back(comparable(form, false));
  const auto matchesExactly = [&answers](const icu::UnicodeString& one) {
    return std::find(answers.begin(), answers.end(), comparable(one, false)) != answers.end();
  };
  // A letter off a short form that a translation was cut to makes another word ("to" of "to go").
  const auto matchesNearly = [&answers](const icu::UnicodeString& one, bool cut) {
    const icu::UnicodeString folded = comparable(one, false), plain = comparable(one, true);
    for (const icu::UnicodeString& a : answers)
      if (((!cut || folded.length() >= 4) && oneLetterApart(folded, a)) || comparable(a, true) == plain) return true;
    return false;
  };
  int best = again;
  std::size_t start = 0;
  while (start <= translations.size()) {
    std::size_t comma = translations.find(',', start);
    if (comma == std::string::npos) comma = translations.size();
    const icu::UnicodeString one = trimmed(icu::UnicodeString::fromUTF8(translations.substr(start, comma - start)));
    start = comma + 1;
    if (one.isEmpty()) continue;
    const std::vector<icu::UnicodeString> forms = answerForms(one);
    for (const icu::UnicodeString& form : forms)
      if (matchesExactly(form)) return good;
    for (std::size_t k = 0; k < forms.size(); ++k)
      if (matchesNearly(forms[k], k > 0)) best = hard;
  }
  return best;
}

}  // namespace zembo
