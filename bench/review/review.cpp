// Reviewing at 100,000 cards: scheduling every card once (FSRS-6, fuzz on) and loading a card
// file of 100,000 cards, each best of three and held against the 100 ms a learner would notice,
// with where the time goes: the file read whole as the baseline, the parsing of its lines, the
// deck built from the list's entries, today's queue, and writing the file back after a grade.
//
//   bench_review [cards]    (default 100000; works in a folder under /tmp)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/benchutil.h"
#include "formats/wordrecord.h"
#include "review/cards.h"
#include "review/deck.h"
#include "review/fsrs.h"

namespace {

using namespace zembo;
using bench::Clock;
namespace fs = std::filesystem;

constexpr std::int64_t day = 86400;
constexpr std::int64_t now = 1'800'000'000;

template <typename F>
double bestOfThree(F run) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const auto start = Clock::now();
    run();
    best = std::min(best, bench::secondsSince(start));
  }
  return best;
}

std::vector<Card> makeCards(int count) {
  std::mt19937 random(7);
  std::vector<Card> cards(count);
  for (int i = 0; i < count; ++i) {
    Card& c = cards[i];
    c.word = "word" + std::to_string(i) + (i % 3 ? "é" : "");
    CardSchedule& s = c.schedule;
    s.state = i % 10 == 0 ? CardState::learning : CardState::review;
    s.stability = 0.5 + random() % 40000 / 100.0;
    s.difficulty = 1 + random() % 900 / 100.0;
    s.lastReview = now - (1 + random() % 400) * day;
    s.due = s.lastReview + static_cast<std::int64_t>(s.stability) * day;
    s.reps = 1 + random() % 30;
    s.lapses = random() % 5;
    s.scheduledDays = static_cast<int>(s.stability);
    c.firstReview = s.lastReview - 30 * day;
  }
  return cards;
}

double ms(double seconds) { return seconds * 1000; }

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const fs::path folder = fs::temp_directory_path() / "zembo-bench-review";
  fs::create_directories(folder);
  const fs::path file = folder / "Fre_Eng.cards.tsv";
  const std::vector<Card> cards = makeCards(count);
  std::printf("reviewing %d cards\n\n", count);

  // Scheduling: every card graded once, against the forgetting curve alone, the least a
  // scheduler must compute for a card.
  FsrsParameters p;
  std::mt19937 grades(11);
  std::vector<int> gradeOf(count);
  for (int& g : gradeOf) g = 1 + grades() % 4;
  double sink = 0;
  const double curve = bestOfThree([&] {
    for (const Card& c : cards)
      sink += retrievability(p, static_cast<double>((now - c.schedule.lastReview) / day), c.schedule.stability);
  });
  // The window takes the elapsed days from the calendar; here they are worked out beforehand.
  std::vector<int> elapsed(count);
  for (int i = 0; i < count; ++i) elapsed[i] = static_cast<int>((now - cards[i].schedule.lastReview) / day);
  std::vector<std::vector<CardSchedule>> copies(3);
  for (auto& copy : copies)
    for (const Card& c : cards) copy.push_back(c.schedule);
  int round = 0;
  const double schedule = bestOfThree([&] {
    FuzzGenerator fuzz{42};
    std::vector<CardSchedule>& copy = copies[round++];
    for (int i = 0; i < count; ++i) reviewCard(p, copy[i], gradeOf[i], now, elapsed[i], &fuzz);
    sink += copy.back().stability;
  });
  std::printf("scheduling: %8.1f ms  (%.0f ns a card)  %s\n", ms(schedule), schedule * 1e9 / count,
              ms(schedule) < 100 ? "under 100 ms" : "OVER 100 ms");
  std::printf("  the forgetting curve alone: %.1f ms; scheduling is %.1f times that\n\n", ms(curve), schedule / curve);

  // Loading: the file read whole is the baseline; then the whole load, the deck and the queue.
  if (!saveCards(file, cards)) {
    std::printf("cannot write %s\n", file.c_str());
    return 1;
  }
  auto readWhole = [&] {
    std::string text;
    readCardFileText(file, text);
    sink += static_cast<double>(text.size());
  };
  readWhole();  // the file in the page cache, as a card file read a moment ago is
  const double read = bestOfThree(readWhole);
  std::vector<Card> loaded;
  const double load = bestOfThree([&] { readCardFile(file, loaded); });
  std::vector<ListEntry> entries;
  entries.reserve(count);
  for (const Card& c : cards) entries.push_back({c.word, "translation of " + c.word});
  Deck deck;
  std::vector<std::vector<Card>> stored(3, loaded);
  round = 0;
  const double build = bestOfThree([&] { deck = buildDeck(entries, std::move(stored[round++])); });
  std::vector<int> queue;
  const double order = bestOfThree([&] { queue = reviewQueue(deck, now, 20); });
  const double save = bestOfThree([&] { saveCards(file, cardsOf(deck)); });
  // The File menu's count keeps its deck while the files stay the same: it copies the list's
  // records and reads the card file, compares both with what the deck was built from, then takes
  // today's queue again.
  std::string builtFrom;
  readCardFileText(file, builtFrom);
  const std::string listRecords(static_cast<std::size_t>(count) * sizeof(WordRecord), 'w');
  const double recount = bestOfThree([&] {
    const std::string records = listRecords;
    std::string text;
    readCardFileText(file, text);
    sink += text == builtFrom && records == listRecords;
    queue = reviewQueue(deck, now, 20);
  });
  std::printf("loading a card file of %zu cards (%.1f MB): %8.1f ms  %s\n", loaded.size(),
              static_cast<double>(fs::file_size(file)) / 1e6, ms(load),
              ms(load) < 100 ? "under 100 ms" : "OVER 100 ms");
  std::printf("  where the time goes: read %.1f ms, parse %.1f ms (%.1f times the read alone)\n", ms(read),
              ms(load - read), load / read);
  std::printf("  then the deck of the list's entries %.1f ms, today's queue (%zu cards) %.1f ms\n", ms(build),
              queue.size(), ms(order));
  std::printf("  writing the card file back after a grade: %.1f ms\n", ms(save));
  std::printf("the File menu's count again, the files unchanged: %.1f ms (%.1f ms to build it the first time)\n",
              ms(recount), ms(load + build + order));
  fs::remove_all(folder);
  return sink == 0 ? 2 : 0;
}
