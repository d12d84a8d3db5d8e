#pragma once
// The review log beside a list file: one line per grade given, the record of which the card file
// is a snapshot. It is UTF-8 text, tab-separated:
//
//   # zembo review log 2
//   # id  time  grade  elapsed days  parameters  word  way  state ... first review
//
// Each line holds the review's id (64 random bits in hex, unique across computers), its time, the
// grade, the calendar days since the card's review before, the parameters that scheduled it
// ("default", or the id of the fitted set) and the card's whole state after the grade, written as
// the card file writes a card. A grade costs one appended line; the cards are the snapshot plus
// the lines after the size it names, so a grade is kept as soon as its line is on disk. A log of
// version 1 (time, word, grade, elapsed days, state before) is rewritten as version 2 the next
// time a grade is appended, its lines given the states that replaying them gives.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "review/cards.h"
#include "review/fsrs.h"

namespace zembo {

struct ReviewLine {
  std::string id;  // 16 hex digits
  std::int64_t time = 0;
  int grade = 0;
  int elapsedDays = 0;
  std::string parameters = "default";
  Card after;  // the card as the grade left it
};
// The line with its line feed, and back (without it); false for a line of any other shape.
void appendReviewLine(std::string& out, const ReviewLine& line);
bool parseReviewLine(std::string_view text, ReviewLine& line);
std::string newReviewId();

// Grades card at now with p and returns its log line. The fuzz of the interval is seeded from the
// card's word, its way and the time, so that the same review always gives the same card.
ReviewLine gradeCard(const FsrsParameters& p, std::string_view parametersId, Card& card, int grade, std::int64_t now);

struct ReviewLogRead {
  CardFileStatus status = CardFileStatus::read;  // read, missing, unreadable, notAFile
  std::vector<ReviewLine> lines;                 // the lines of version 2, in the file's order
  std::uint64_t size = 0;                        // the bytes up to the end of the last whole line
  int version = 0;                               // 1 or 2; 0 for an empty log
  int damaged = 0;                               // lines that could not be read (left where they are)
};
// The log's lines from byte from on (a line cut short by a kill at the end is not read).
ReviewLogRead readReviewLog(const std::filesystem::path& log, std::uint64_t from = 0);

// Each line's state replaces that of its card (word and way), or adds the card; with onlyNewer,
// only a line no older than the card's last review does, so that a whole log read over a snapshot
// changes only what the snapshot lacks.
void applyReviewLines(std::vector<Card>& cards, const std::vector<ReviewLine>& lines, bool onlyNewer);

// A list's cards as the card file and the log give them together.
struct ReviewCards {
  std::vector<Card> cards;
  CardFileLoad snapshot;  // what reading the card file found; its header names the list's ways
  ReviewLogRead log;      // the lines read beyond the snapshot
  std::uint64_t logSize = 0;
  std::string lastReviewId;  // of the last line, or the snapshot's when no line followed it
};
// Reads without moving or writing anything.
ReviewCards readReviewCards(const std::filesystem::path& listFile);
// Adds the log's lines to a snapshot already read into r.cards and r.snapshot.
void addReviewLog(ReviewCards& r, const std::filesystem::path& listFile);
// As review opens a list: a damaged card file's bad lines are put aside (loadCards), and the cards
// they held come back from the log.
ReviewCards loadReviewCards(const std::filesystem::path& listFile);

// The files of a list under review, open for grading.
class ReviewBook {
 public:
  ReviewBook() = default;
  ReviewBook(const ReviewBook&) = delete;
  ReviewBook& operator=(const ReviewBook&) = delete;
  ~ReviewBook();

  // Opens the list's log for appending, once the cards were loaded: cuts a line a kill left half
  // written and rewrites a version-1 log as version 2 (then the snapshot at once). False when the
  // log cannot be written (errno says why); the grades are then not kept.
  bool open(const std::filesystem::path& listFile, const ReviewCards& loaded, const std::vector<Card>& cards);
  // Appends the line and makes it durable; once snapshotEvery lines have followed the snapshot, the
  // card file is written again from cards().
  bool record(const ReviewLine& line, const std::function<std::vector<Card>()>& cards);
  // Writes the snapshot (when lines followed it, or always): the window closes, the ways changed.
  bool saveSnapshot(const std::vector<Card>& cards, bool always = false);

  ListWays ways() const { return header_.ways; }
  void setWays(ListWays ways) { header_.ways = ways; }
  int linesSinceSnapshot() const { return linesSinceSnapshot_; }
  const std::filesystem::path& cardFile() const { return cardFile_; }
  const std::filesystem::path& logFile() const { return logFile_; }
  // The snapshot is not written (a card file that could not be put aside stays as it is).
  void keepSnapshot() { snapshotWritable_ = false; }

  int snapshotEvery = 1000;
  // Called after each step of a grade ("written", "synced", "snapshot"): tests stop there.
  std::function<void(const char* step)> afterStep;

 private:
  bool rewriteVersion1(const std::vector<Card>& cards);
  bool followReplacedLog();
  void step(const char* name) const {
    if (afterStep) afterStep(name);
  }

  std::filesystem::path cardFile_, logFile_;
  CardFileHeader header_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  int linesSinceSnapshot_ = 0;
  bool snapshotWritable_ = true;
  bool logReplaced_ = false;  // the log was replaced under the book: the snapshot names none of it
};

// A card's word and way as one key: the lines and cards of the same card share it.
std::string cardKey(const Card& card);

// The whole text of a log of these lines, as version 2.
std::string reviewLogText(const std::vector<ReviewLine>& lines);

// Two computers' logs of one list as one: every review of either, once (by id), in the order they
// were given (time, then id). A card reviewed on one computer only keeps its lines as they are; from
// the first review of a card whose predecessor differs from the one it had on its own computer, the
// card's reviews are graded again in the merged order, each with the parameters its line names
// (parametersOf gives them; one it does not know keeps the line's state), so that the card ends
// in the state all its reviews give. The result depends only on the two logs, whichever is first.
struct MergedReviews {
  std::vector<ReviewLine> lines;
  int fromOther = 0;  // reviews only the second log held
  int regraded = 0;   // lines whose state was graded again
};
MergedReviews mergeReviewLogs(const std::vector<ReviewLine>& mine, const std::vector<ReviewLine>& other,
                              const std::function<bool(std::string_view id, FsrsParameters&)>& parametersOf);

// Drops the cards whose word is no longer in the list, the log's later lines applied first; the
// file is left alone when none goes (or when it is damaged: the next review moves it aside with a
// message).
void dropCardsNotIn(const std::filesystem::path& listFile, const std::unordered_set<std::string>& words);

}  // namespace zembo
