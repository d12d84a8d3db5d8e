// Reviewing at 100,000 cards: scheduling every card once (FSRS-6, fuzz on) and loading a card
// file of 100,000 cards, each best of three and held against the 100 ms a learner would notice,
// with where the time goes: the file read whole as the baseline, the parsing of its lines, the
// deck built from the list's entries, today's queue, and writing the snapshot. Then a grade to
// disk (the card scheduled, its line appended to the log and made durable), held against 2 ms and
// against appending and syncing a line of the same length alone.
//
//   bench_review [cards]    (default 100000; works in a folder under /tmp)

#include <fcntl.h>
#include <unistd.h>

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
#include "review/reviewlog.h"

namespace {

using namespace zembo;
using bench::bestOfThree;
using bench::Clock;
namespace fs = std::filesystem;

constexpr std::int64_t day = 86400;
constexpr std::int64_t now = 1'800'000'000;

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

// Appends text to fd and makes it durable, as the log's writer does.
bool appendAndSync(int fd, const std::string& text) {
  return ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && ::fdatasync(fd) == 0;
}

// A grade to disk at this many cards, against the append alone: each best of three rounds of 100.
double gradeToDisk(const fs::path& folder, std::vector<Card> cards, double snapshot) {
  constexpr int grades = 100;
  const fs::path list = folder / "Fre_Eng.ls";
  ReviewBook book;
  if (!book.open(list, readReviewCards(list), cards)) return 0;
  std::string sample;
  appendReviewLine(sample, gradeCard(FsrsParameters{}, "default", cards[0], good, now));
  const int fd = ::open((folder / "alone.tsv").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const double alone = bestOfThree([&] {
                         for (int i = 0; i < grades; ++i) appendAndSync(fd, sample);
                       }) /
                       grades;
  ::close(fd);
  std::size_t next = 1;
  double writing = 1e9;  // the least time of a round spent appending and syncing
  const double grade = bestOfThree([&] {
                         double round = 0;
                         for (int i = 0; i < grades; ++i, ++next) {
                           Card& card = cards[next % cards.size()];
                           const ReviewLine line =
                               gradeCard(FsrsParameters{}, "default", card, 1 + next % 4, now + next);
                           const auto start = Clock::now();
                           book.record(line, [&] { return cards; });
                           round += bench::secondsSince(start);
                         }
                         writing = std::min(writing, round);
                       }) /
                       grades;
  writing /= grades;
  std::printf("\na grade to disk at %zu cards: %.3f ms  %s\n", cards.size(), ms(grade),
              ms(grade) < 2 ? "under 2 ms" : "OVER 2 ms");
  std::printf("  appending and syncing a line alone: %.3f ms; a grade is %.2f times that\n", ms(alone), grade / alone);
  std::printf("  where the time goes: scheduling and the line %.3f ms, the append and its sync %.3f ms a grade\n",
              ms(grade - writing), ms(writing));
  std::printf("  and the snapshot, once every %d grades, %.3f ms a grade on average\n", book.snapshotEvery,
              ms(snapshot / book.snapshotEvery));
  return grade;
}

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
  std::printf("  writing the whole snapshot (when the window closes, or every %d grades): %.1f ms\n",
              ReviewBook().snapshotEvery, ms(save));
  std::printf("the File menu's count again, the files unchanged: %.1f ms (%.1f ms to build it the first time)\n",
              ms(recount), ms(load + build + order));
  sink += gradeToDisk(folder, cardsOf(deck), save);
  fs::remove_all(folder);
  return sink == 0 ? 2 : 0;
}
