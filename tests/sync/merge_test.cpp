// Two computers that changed the same files before their copies met: what Syncthing leaves beside
// each file is merged so that nothing either did is lost, both computers end with the same bytes,
// and a merge cut short anywhere ends the same when it runs again.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "directions/directions.h"
#include "platform/profile.h"
#include "resources/uilanguage.h"
#include "review/cards.h"
#include "review/reviewlog.h"
#include "store/editlog.h"
#include "store/store.h"
#include "sync/conflicts.h"
#include "sync/merge.h"
#include "tests/support/storereset.h"
#include "tests/support/testenv.h"
#include "tests/support/wordfiles.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using test::WordPair;

constexpr std::int64_t day = 86400;
constexpr std::int64_t start = 1'765'000'000;
const char* const conflictStamp = ".sync-conflict-20261210-101500-BBBBBBB";

// The conflict copy's name Syncthing gives a file of the other computer.
fs::path conflictName(const fs::path& file) {
  return file.parent_path() / (file.stem().string() + conflictStamp + file.extension().string());
}

WordRecord record(const std::string& word, const std::string& translation, std::int16_t flags = 0) {
  return test::makeRecord({word, translation, flags});
}

RecordEdit change(const std::string& id, std::int64_t time, const WordRecord& before, const WordRecord& after) {
  RecordEdit edit;
  edit.id = id;
  edit.time = time;
  edit.before = before;
  edit.after = after;
  return edit;
}

RecordEdit add(const std::string& id, std::int64_t time, const WordRecord& after) {
  RecordEdit edit = change(id, time, {}, after);
  edit.added = true;
  return edit;
}

std::vector<WordPair> pairsOf(const std::vector<WordRecord>& records) {
  std::vector<WordPair> pairs;
  for (const WordRecord& r : records) pairs.push_back({std::string(wordOf(r)), std::string(translationOf(r)), r.flags});
  return pairs;
}

TEST(EditLog, LinesKeepEveryByteAndALineCutShortIsLeftOut) {
  const RecordEdit edit =
      change("0123456789abcdef", 1765000000123456, record("a\tb\\c", "x\ny\rz"), record("a\tb\\c", "x\ny\rz", 1));
  std::string text;
  appendEditLine(text, edit);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
  RecordEdit back;
  ASSERT_TRUE(parseEditLine(std::string_view(text).substr(0, text.size() - 1), back));
  EXPECT_TRUE(sameRecord(back.before, edit.before));
  EXPECT_EQ(int{back.after.flags}, 1);  // a copy: the packed field is not aligned
  EXPECT_EQ(back.time, edit.time);
  for (const char* bad :
       {"", "0123456789abcdef\t1\tadd\tx\t\t\tw\tt\t0", "0123456789ABCDEF\t1\tadd\t\t\t\tw\tt\t0",
        "0123456789abcdef\t1\tchange\tw\tt\t0\tw\tt\t40000", "0123456789abcdef\t1\tadd\t\t\t\tw\\q\tt\t0"})
    EXPECT_FALSE(parseEditLine(bad, back)) << bad;

  const fs::path dir = fs::temp_directory_path() / ("editlog-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path log = dir / "x.edits";
  ASSERT_TRUE(appendEditLog(log, edit));
  ASSERT_TRUE(appendEditLog(log, add("00000000000000ff", 2, record("w", "t"))));
  std::ofstream(log, std::ios::app) << "00000000000000aa\t3\tadd\t\t\t\tcut";  // a kill mid-line
  const EditLogRead read = readEditLog(log);
  ASSERT_EQ(read.edits.size(), 2U);
  EXPECT_EQ(read.damaged, 0);
  EXPECT_EQ(read.edits[1].id, "00000000000000ff");
  fs::remove_all(dir);
}

// Each case: the file one computer kept, the edits of both, what the merge must give.
TEST(EditLog, TheLaterOfTwoChangesWinsWhicheverFileWasKept) {
  const WordRecord x = record("Haus", "house"), y = record("Haus", "home"), z = record("Haus", "building");
  const RecordEdit toY = change("000000000000000a", 10, x, y), toZ = change("000000000000000b", 20, x, z);
  const RecordEdit deleteX = change("000000000000000c", 30, x, record("Haus", "house", 1));
  struct Case {
    const char* what;
    std::vector<WordRecord> kept;
    std::vector<RecordEdit> edits;
    std::vector<WordRecord> expected;
  } cases[] = {
      {"the kept file made the earlier change", {y}, {toY, toZ}, {z}},
      {"the kept file made the later change", {z}, {toY, toZ}, {z}},
      {"the other computer's change of an untouched record", {x}, {toY}, {y}},
      {"a delete after a change on the other computer", {y}, {toY, deleteX}, {record("Haus", "house", 1)}},
      {"a change after a delete", {record("Haus", "house", 1)}, {deleteX, change("00000000000000d0", 40, x, z)}, {z}},
      {"an add on the other computer",
       {x},
       {add("00000000000000e0", 5, record("Baum", "tree"))},
       {x, record("Baum", "tree")}},
      {"an add changed later is not added twice",
       {record("Baum", "trees")},
       {add("00000000000000e0", 5, record("Baum", "tree")),
        change("00000000000000e1", 6, record("Baum", "tree"), record("Baum", "trees"))},
       {record("Baum", "trees")}},
      {"an add deleted later is not added",
       {x},
       {add("00000000000000e0", 5, record("Baum", "tree")),
        change("00000000000000e1", 6, record("Baum", "tree"), record("Baum", "tree", 1))},
       {x}},
      {"a chain of changes on one computer, a change of the first on the other after them",
       {z},
       {toY, change("000000000000000f", 15, y, z), change("00000000000000f0", 25, x, record("Haus", "flat"))},
       {record("Haus", "flat")}},
  };
  for (const Case& c : cases) {
    std::vector<WordRecord> records = c.kept;
    applyEdits(records, c.edits);
    EXPECT_EQ(pairsOf(records), pairsOf(c.expected)) << c.what;
    std::vector<WordRecord> again = records;
    applyEdits(again, c.edits);
    EXPECT_EQ(pairsOf(again), pairsOf(records)) << c.what << " (run again)";
  }
}

TEST(ConflictNames, SyncthingsNamesAreKnownAndNoOthers) {
  EXPECT_EQ(originalOfConflictName("Fre_Eng.log.sync-conflict-20261210-101500-ABCDEF7.tsv"), "Fre_Eng.log.tsv");
  EXPECT_EQ(originalOfConflictName("win.sync-conflict-20261210-101500-ABCDEF7.ini"), "win.ini");
  EXPECT_EQ(originalOfConflictName("README.sync-conflict-20261210-101500-ABCDEF7"), "README");
  for (const char* other :
       {"Fre_Eng.zb", ".sync-conflict-20261210-101500-ABCDEF7.zb", "a.sync-conflict-2026121-101500-ABCDEF7.zb",
        "a.sync-conflict-20261210-101500-abcdef7.zb", "a.sync-conflict-20261210-101500-ABCDEF7x",
        "a.sync-conflict-20261210-101500-ABCDEF7.sync-conflict-20261211-101500-ABCDEF7.zb"})
    EXPECT_FALSE(originalOfConflictName(other)) << other;
}

// Two computers as two folders with the English edition's French dictionary.
class TwoComputers : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    for (const char* computer : {"laptop", "desktop"}) {
      const fs::path folder = dir / computer;
      fs::create_directories(folder / "language");
      fs::create_directories(folder / "list" / "verbs");
      std::ofstream(folder / "dict.ini") << "[language]\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n";
      test::writeWords((folder / "language" / "Fre_Eng.zb").string(),
                       {{"aller", "go"}, {"chat", "cat"}, {"chien", "dog"}, {"maison", "house"}});
      test::writeWords((folder / "language" / "Eng_Fre.zb").string(),
                       {{"cat", "chat"}, {"dog", "chien"}, {"go", "aller"}, {"house", "maison"}});
      test::writeWords((folder / "list" / "verbs" / "Fre_Eng.ls").string(), {{"aller", "go"}});
    }
  }
  void TearDown() override {
    fs::current_path(dir);
    test::resetStoreLayers();
    TempDirTest::TearDown();
  }

  // Runs work with folder as the program's folder, its French direction current.
  void on(const char* computer, const std::function<void()>& work) {
    fs::current_path(dir / computer);
    test::resetStoreLayers();
    setUiBase(500);
    ASSERT_EQ(loadDirections(), 0);
    for (DictionaryDirection* d = directions.directionList; d; d = d->next)
      if (std::string(d->wordFileName) == "Fre_Eng.zb") setCurrentDirection(d);
    work();
    test::resetStoreLayers();
    fs::current_path(dir);
  }

  // As Syncthing leaves a file both changed: the laptop's under its name on both computers, the
  // desktop's beside it.
  void meet(const fs::path& file) {
    const fs::path laptop = dir / "laptop" / file, desktop = dir / "desktop" / file;
    for (const char* computer : {"laptop", "desktop"})
      fs::copy_file(desktop, dir / computer / conflictName(file), fs::copy_options::overwrite_existing);
    fs::copy_file(laptop, desktop, fs::copy_options::overwrite_existing);
  }

  MergeCounts merge(const char* computer, const MergeHooks& hooks = {}) {
    MergeCounts counts;
    on(computer, [&] { counts = mergeConflictCopies(hooks); });
    return counts;
  }

  static std::string tree(const fs::path& folder) {
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file())
        lines.push_back(fs::relative(entry.path(), folder).string() + "\n" + test::readFile(entry.path()));
    std::sort(lines.begin(), lines.end());
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
  }

  void expectEqualFolders() {
    EXPECT_TRUE(tree(dir / "laptop") == tree(dir / "desktop")) << "the two folders differ";
    EXPECT_TRUE(findConflictCopies(dir / "laptop").empty());
  }

  // A learner's changes on one computer: an edit, a delete and an added word in the word file
  // through the store, a list entry, reviews of "aller".
  static void editWord(const std::string& word, const std::string& translation, std::int16_t flags = 0) {
    openWordFile();
    countWordRecords();
    for (int i = 0; i < store.wordCount; ++i) {
      WordRecord r;
      ASSERT_EQ(readWordRecord(i, r), 0);
      if (wordOf(r) == word) {
        setField(r.translation, sizeof r.translation, translation);
        r.flags = flags;
        ASSERT_EQ(writeWordRecord(i, r), 0);
        return;
      }
    }
    ASSERT_EQ(appendWordRecord(record(word, translation)), 0);
  }

  static std::vector<ReviewLine> review(const std::vector<std::pair<std::int64_t, int>>& grades) {
    Card card;
    card.word = "aller";
    std::vector<ReviewLine> lines;
    for (const auto& [time, grade] : grades) lines.push_back(gradeCard(FsrsParameters{}, "default", card, grade, time));
    return lines;
  }
};

const fs::path wordFile = fs::path("language") / "Fre_Eng.zb";
const fs::path editLog = fs::path("new") / "French_English.edits";
const fs::path reviewLog = fs::path("list") / "verbs" / "Fre_Eng.log.tsv";
const fs::path cardFile = fs::path("list") / "verbs" / "Fre_Eng.cards.tsv";
const fs::path listFile = fs::path("list") / "verbs" / "Fre_Eng.ls";

TEST_F(TwoComputers, EverythingBothDidIsKeptAndBothFoldersEndTheSame) {
  std::vector<ReviewLine> laptopReviews, desktopReviews;
  on("laptop", [&] {
    editWord("chat", "cat, tomcat");
    editWord("chien", "dog", 1);
    editWord("vite", "fast");
    laptopReviews = review({{start, 3}, {start + 2 * day, 3}});
    test::writeFile(reviewLog, reviewLogText(laptopReviews));
    test::writeWords(listFile.string(), {{"aller", "go"}, {"chat", "cat"}});
  });
  on("desktop", [&] {
    editWord("maison", "house, home");
    editWord("chat", "cat, kitty");  // later than the laptop's: it wins
    desktopReviews = review({{start + day, 1}, {start + 3 * day, 4}});
    test::writeFile(reviewLog, reviewLogText(desktopReviews));
    test::writeWords(listFile.string(), {{"aller", "go"}, {"maison", "house"}});
  });
  for (const fs::path& file : {wordFile, editLog, reviewLog, listFile}) meet(file);

  const MergeCounts laptop = merge("laptop"), desktop = merge("desktop");
  EXPECT_EQ(laptop.copies, 4);
  EXPECT_EQ(laptop.reviews, 2);
  EXPECT_EQ(laptop.edits, 2);
  EXPECT_EQ(laptop.listEntries, 1);
  EXPECT_TRUE(laptop.failed.empty());
  EXPECT_EQ(desktop.reviews, laptop.reviews);
  expectEqualFolders();

  EXPECT_EQ(
      test::readWords((dir / "laptop" / wordFile).string()),
      (std::vector<WordPair>{{"aller", "go"}, {"chat", "cat, kitty"}, {"maison", "house, home"}, {"vite", "fast"}}));
  EXPECT_EQ(test::readWords((dir / "laptop" / listFile).string()),
            (std::vector<WordPair>{{"aller", "go"}, {"chat", "cat"}, {"maison", "house"}}));

  // The card "aller" ends where its four reviews, in the order given, lead.
  const std::vector<ReviewLine> all =
      review({{start, 3}, {start + day, 1}, {start + 2 * day, 3}, {start + 3 * day, 4}});
  const ReviewLogRead merged = readReviewLog(dir / "laptop" / reviewLog);
  ASSERT_EQ(merged.lines.size(), 4U);
  EXPECT_EQ(merged.lines[0].id, laptopReviews[0].id);  // the first review kept as it was
  std::string expected, got;
  appendCardLine(expected, all.back().after);
  appendCardLine(got, merged.lines.back().after);
  EXPECT_EQ(got, expected);
  std::vector<Card> cards;
  ASSERT_EQ(readCardFile(dir / "laptop" / cardFile, cards).status, CardFileStatus::read);
  ASSERT_EQ(cards.size(), 1U);
  std::string snapshot;
  appendCardLine(snapshot, cards[0]);
  EXPECT_EQ(snapshot, expected);
  // The snapshot fits the merged log: review reads the same card from both.
  on("laptop", [&] {
    const ReviewCards read = readReviewCards(listFile);
    ASSERT_EQ(read.cards.size(), 1U);
    std::string line;
    appendCardLine(line, read.cards[0]);
    EXPECT_EQ(line, expected);
  });

  // Run again, nothing changes.
  const std::string before = tree(dir / "laptop");
  EXPECT_FALSE(merge("laptop").any());
  EXPECT_EQ(tree(dir / "laptop"), before);
}

TEST_F(TwoComputers, AMergeCutShortAnywhereEndsAsOneThatWasNot) {
  on("laptop", [&] { editWord("chat", "cat, tomcat"); });
  on("desktop", [&] { editWord("vite", "fast"); });
  test::writeFile(dir / "laptop" / reviewLog, reviewLogText(review({{start, 3}})));
  test::writeFile(dir / "desktop" / reviewLog, reviewLogText(review({{start + day, 2}})));
  for (const fs::path& file : {wordFile, editLog, reviewLog}) meet(file);
  fs::copy(dir / "laptop", dir / "pristine", fs::copy_options::recursive);
  merge("desktop");
  const std::string whole = tree(dir / "desktop");

  int stops = 0;
  for (int stopAt = 0;; ++stopAt) {
    fs::remove_all(dir / "laptop");
    fs::copy(dir / "pristine", dir / "laptop", fs::copy_options::recursive);
    int stepsTaken = 0;
    const pid_t child = ::fork();
    if (child == 0) {
      merge("laptop", {[&](const char*, const fs::path&) {
              if (stepsTaken++ == stopAt) ::_exit(0);
            }});
      ::_exit(1);  // every step passed: this was the last place to stop
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    merge("laptop");
    EXPECT_TRUE(tree(dir / "laptop") == whole) << "stopped after step " << stopAt;
    if (WEXITSTATUS(status) == 1) break;
    ++stops;
  }
  EXPECT_EQ(stops, 6);  // three copies, two steps each
}

TEST_F(TwoComputers, AnEditAfterSyncthingReplacedTheWordFileGoesIntoTheNewOne) {
  on("laptop", [&] {
    openWordFile();
    countWordRecords();
    // Syncthing renames the other computer's version over the open file.
    test::writeWords("language/Fre_Eng.zb.tmp", {{"aller", "go"}, {"arbre", "tree"}, {"chat", "cat"}});
    fs::rename("language/Fre_Eng.zb.tmp", "language/Fre_Eng.zb");
    WordRecord r;
    ASSERT_EQ(readWordRecord(1, r), 0);  // "chat" in the file as it was opened
    setField(r.translation, sizeof r.translation, "cat, kitty");
    ASSERT_EQ(writeWordRecord(1, r), 0);
    EXPECT_EQ(test::readWords("language/Fre_Eng.zb"),
              (std::vector<WordPair>{{"aller", "go"}, {"arbre", "tree"}, {"chat", "cat, kitty"}}));
    ASSERT_EQ(appendWordRecord(record("vite", "fast")), 0);
    EXPECT_EQ(test::readWords("language/Fre_Eng.zb").back(), (WordPair{"vite", "fast"}));
    const EditLogRead log = readEditLog(editLog);
    ASSERT_EQ(log.edits.size(), 2U);
    EXPECT_LT(log.edits[0].time, log.edits[1].time);
    EXPECT_EQ(translationOf(log.edits[0].before), "cat");
    EXPECT_TRUE(log.edits[1].added);
  });
}

TEST_F(TwoComputers, SettingsAndFilesOfNoOtherKindKeepTheNewerAndTheIgnoreFileKeepsAUsersLines) {
  test::writeFile(dir / "laptop" / "dict.ini.bak", "laptop");
  test::writeFile(dir / "desktop" / "dict.ini.bak", "desktop");
  meet("dict.ini.bak");
  const fs::path copy = dir / "laptop" / conflictName("dict.ini.bak");
  fs::last_write_time(copy, fs::last_write_time(dir / "laptop" / "dict.ini.bak") + std::chrono::hours(1));
  const MergeCounts counts = merge("laptop");
  EXPECT_EQ(counts.newerKept, 1);
  EXPECT_EQ(test::readFile(dir / "laptop" / "dict.ini.bak"), "desktop");
  EXPECT_FALSE(fs::exists(copy));

  // The user's settings, kept in step in a folder of their own.
  const fs::path settings = profilePath("win.ini"), settingsCopy = conflictName(settings);
  test::writeFile(settings, "[Dictionary]\nPracticeList=older\n");
  test::writeFile(settingsCopy, "[Dictionary]\nPracticeList=newer\n");
  fs::last_write_time(settingsCopy, fs::last_write_time(settings) + std::chrono::minutes(5));
  EXPECT_EQ(merge("laptop").newerKept, 1);
  EXPECT_EQ(test::readFile(settings), "[Dictionary]\nPracticeList=newer\n");
  EXPECT_FALSE(fs::exists(settingsCopy));

  test::writeFile(dir / "laptop" / ".stignore", "// mine\nprivate/\n");
  ASSERT_TRUE(writeSyncIgnore(dir / "laptop"));
  ASSERT_TRUE(writeSyncIgnore(dir / "laptop"));  // once more: the program's part is replaced, not doubled
  const std::string ignore = test::readFile(dir / "laptop" / ".stignore");
  EXPECT_TRUE(ignore.starts_with("// mine\nprivate/\n// zembo: begin\n"));
  EXPECT_EQ(ignore.find("*.fnd"), ignore.rfind("*.fnd"));
  EXPECT_NE(ignore.find("(?d)*.zb.????????"), std::string::npos);
}

}  // namespace
}  // namespace zembo
