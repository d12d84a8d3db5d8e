// A learner's zembo folder on two computers kept in step by two real Syncthing instances: both
// study while cut off from each other, then meet; zembo merges what Syncthing could not, and
// both folders end byte for byte equal with nothing either computer did lost. The folder holds
// the German dictionary of a deu-eng import, so that the merge works on word files of a real size;
// one merge is killed partway and run again.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "addwords/addwords.h"
#include "directions/directions.h"
#include "platform/codepage.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "practice/lists.h"
#include "resources/uilanguage.h"
#include "review/cards.h"
#include "review/reviewlog.h"
#include "store/currentdirection.h"
#include "store/editlog.h"
#include "store/store.h"
#include "sync/conflicts.h"
#include "tests/support/storereset.h"
#include "tests/support/syncthing.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using test::Syncthing;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t day = 86400;
constexpr std::int64_t start = 1'765'000'000;
const char* const folderId = "zembo";

// Runs a program in folder and waits for it; its exit code, or -signal when killed. It is killed
// as soon as killWhen says so (asked every millisecond).
int runIn(const fs::path& folder, const std::vector<std::string>& arguments,
          const std::function<bool()>& killWhen = {}) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (killWhen && ::waitpid(pid, &status, WNOHANG) == 0) {
    if (killWhen()) ::kill(pid, SIGKILL);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (!killWhen) ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

bool waitFor(const std::function<bool()>& done, int seconds) {
  const auto until = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < until) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  return false;
}

// What Syncthing keeps for itself (its folders, the temporary files of a copy it put off because
// the file changed meanwhile) or is told to leave alone.
bool notSynced(const fs::path& relative) {
  const std::string first = relative.begin()->string(), name = relative.filename().string();
  return first == ".stfolder" || first == ".stversions" || name == ".stignore" || name.starts_with(".syncthing.") ||
         name.ends_with(".fnd") || name.ends_with(".fnw");
}

// Every synced file of a folder with its bytes.
std::map<std::string, std::string> contents(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const fs::path relative = fs::relative(entry.path(), folder);
    if (entry.is_regular_file() && !notSynced(relative)) files[relative.string()] = test::readFile(entry.path());
  }
  return files;
}

// The files in which two folders differ, for a failure's message.
std::string differences(const fs::path& a, const fs::path& b) {
  const auto x = contents(a), y = contents(b);
  std::string names;
  for (const auto& [name, bytes] : x)
    if (!y.count(name) || y.at(name) != bytes) names += name + "; ";
  for (const auto& [name, bytes] : y)
    if (!x.count(name)) names += name + "; ";
  return names;
}

// What a learner did on one computer, to be found after the merge.
struct Study {
  std::vector<ReviewLine> reviews;
  std::vector<std::pair<std::string, std::string>> added;
  std::vector<std::string> listed;
};

class TwoSyncthings : public test::TempDirTest {
 protected:
  void TearDown() override {
    fs::current_path(dir);
    resetAddWordsState();
    test::resetStoreLayers();
    TempDirTest::TearDown();
  }

  // Works in folder as zembo does, in the direction German to English.
  void on(const fs::path& folder, const std::function<void()>& work) {
    fs::current_path(folder);
    test::resetStoreLayers();
    resetAddWordsState();
    readUiLanguage();
    setFileNameCodePage(uiCodePage());
    startRecordingMessageBoxes();
    ASSERT_EQ(loadDirections(), 0);
    for (DictionaryDirection* d = directions.directionList; d; d = d->next)
      if (std::string(d->wordFileName) == "Ger_Eng.zb") makeDirectionCurrent(d);
    ASSERT_STREQ(directions.currentDirection->wordFileName, "Ger_Eng.zb");
    work();
    closeStoreFiles();
    fs::current_path(dir);
  }

  // Whether the word file holds a live record of the word with this translation.
  static bool holds(const std::string& word, const std::string& translation) {
    WordRecord record;
    for (int i = 0; i < store.wordCount; ++i)
      if (readWordRecord(i, record) == 0 && record.flags == 0 && wordOf(record) == word &&
          translationOf(record) == translation)
        return true;
    return false;
  }

  // A correction or a delete in the search window: the record changed in place, the file sorted
  // when the window closes. The record as it was.
  static WordRecord correct(const std::string& word, const std::string& translation, bool remove = false) {
    WordRecord record;
    const int index = findEntry(store, word, record);
    EXPECT_GE(index, 0) << word;
    const WordRecord was = record;
    if (remove)
      record.flags = 1;
    else
      setField(record.translation, sizeof record.translation, translation);
    EXPECT_EQ(writeWordRecord(index, record), 0);
    markUnsorted();
    EXPECT_EQ(sortWordFile(), 0);
    return was;
  }

  static void addWords(Study& study, const std::vector<std::pair<std::string, std::string>>& pairs) {
    beginAddingWords();
    for (const auto& [word, translation] : pairs) {
      EntryTexts fields{word, translation};
      ASSERT_EQ(storeEntry(fields), StoreOutcome::stored) << word;
      study.added.emplace_back(word, translation);
    }
    resortOnClose();
  }

  static void listWords(Study& study, const std::vector<std::string>& words) {
    makeListCurrent("Lernen");
    for (const std::string& word : words) {
      WordRecord record;
      ASSERT_GE(findEntry(store, word, record), 0) << word;
      ASSERT_EQ(appendListRecord(record), 0);
      study.listed.push_back(word);
    }
  }

  // Grades as the review window does: one appended log line per grade, the snapshot at the end.
  static void review(Study& study, const std::vector<std::tuple<std::string, std::int64_t, int>>& grades) {
    const fs::path listFile = hostPath(listFilePath());
    ReviewCards loaded = loadReviewCards(listFile);
    std::vector<Card> cards = loaded.cards;
    ReviewBook book;
    ASSERT_TRUE(book.open(listFile, loaded, cards));
    for (const auto& [word, time, grade] : grades) {
      auto card = std::find_if(cards.begin(), cards.end(), [&](const Card& c) { return c.word == word; });
      if (card == cards.end()) {
        cards.push_back({});
        cards.back().word = word;
        card = cards.end() - 1;
      }
      const ReviewLine line = gradeCard(FsrsParameters{}, "default", *card, grade, time);
      ASSERT_TRUE(book.record(line, [&] { return cards; }));
      study.reviews.push_back(line);
    }
    ASSERT_TRUE(book.saveSnapshot(cards, true));
  }
};

TEST_F(TwoSyncthings, BothComputersStudyApartAndEndEqualWithNothingLost) {
  const fs::path laptop = dir / "Laptop ä", desktop = dir / "Рабочий стол";
  fs::copy(ZEMBO_SAMPLE_DIR, laptop, fs::copy_options::recursive);
  ASSERT_EQ(runIn(laptop, {ZEMBO_IMPORT, "--yes", "/usr/share/dictd/freedict-deu-eng", laptop.string()}), 0)
      << "zembo-import of deu-eng (Debian's dict-freedict-deu-eng)";
  fs::create_directories(desktop / ".stfolder");
  fs::create_directories(laptop / ".stfolder");
  for (const fs::path& folder : {laptop, desktop}) ASSERT_EQ(runIn(folder, {ZEMBO_BINARY, "--write-stignore"}), 0);

  Syncthing one(dir / "syncthing-laptop"), two(dir / "syncthing-desktop");
  one.introduce(two);
  two.introduce(one);
  one.shareFolder(folderId, laptop, two);
  two.shareFolder(folderId, desktop, one);
  // Without a watcher a copy put off because the file changed meanwhile waits for a scan: both
  // look again every few seconds while the test waits.
  int polls = 0;
  const auto inStep = [&] {
    if (++polls % 20 == 0) {
      one.rescan(folderId);
      two.rescan(folderId);
    }
    return one.inSync(folderId, two) && two.inSync(folderId, one) && contents(laptop) == contents(desktop);
  };
  ASSERT_TRUE(waitFor([&] { return one.connectedTo(two) && two.connectedTo(one); }, 60));
  ASSERT_TRUE(waitFor(inStep, 180)) << "the first copy of the folder: " << differences(laptop, desktop);

  // Cut off, each computer studies.
  one.pause(two);
  two.pause(one);
  Study onLaptop, onDesktop;
  WordRecord deleted;
  on(laptop, [&] {
    correct("Abend", "evening (laptop)");
    deleted = correct("Abfall", "", true);
    addWords(onLaptop, {{"Zemboklang", "zembo sound"}, {"Laptopwort", "laptop word"}});
    listWords(onLaptop, {"Haus", "Baum", "Zemboklang"});
    review(onLaptop, {{"Haus", start, 3}, {"Baum", start, 4}, {"Haus", start + 2 * day, 3}});
  });
  on(desktop, [&] {
    correct("Abend", "evening (desktop)");  // later than the laptop's: it wins
    correct("Abendbrot", "supper (desktop)");
    addWords(onDesktop, {{"Schreibtischwort", "desktop word"}});
    listWords(onDesktop, {"Haus", "Katze"});
    review(onDesktop, {{"Haus", start + day, 1}, {"Katze", start + day, 3}, {"Haus", start + 3 * day, 4}});
  });
  one.rescan(folderId);
  two.rescan(folderId);

  // They meet: Syncthing keeps one version of each file both changed and puts the other beside it.
  one.resume(two);
  two.resume(one);
  ASSERT_TRUE(waitFor(inStep, 180)) << differences(laptop, desktop);
  const std::vector<ConflictCopy> copies = findConflictCopies(laptop);
  EXPECT_GE(copies.size(), 6U) << "word files, logs, the list and its cards changed on both";

  // zembo merges on both; on the laptop it is killed once it merged the first file, and simply
  // runs again.
  const int killed =
      runIn(laptop, {ZEMBO_BINARY, "--merge"}, [&] { return findConflictCopies(laptop).size() < copies.size(); });
  EXPECT_EQ(killed, -SIGKILL);
  EXPECT_FALSE(findConflictCopies(laptop).empty()) << "killed before the merge was done";
  EXPECT_EQ(runIn(laptop, {ZEMBO_BINARY, "--merge"}), 0);
  const auto mergeStart = Clock::now();
  EXPECT_EQ(runIn(desktop, {ZEMBO_BINARY, "--merge"}), 0);
  const double mergeSeconds = std::chrono::duration<double>(Clock::now() - mergeStart).count();
  std::printf("merging %zu conflict copies in the deu-eng folder took %.2f s\n", copies.size(), mergeSeconds);

  one.rescan(folderId);
  two.rescan(folderId);
  ASSERT_TRUE(waitFor(inStep, 180)) << differences(laptop, desktop);
  EXPECT_TRUE(findConflictCopies(laptop).empty()) << "the merged files were equal: nothing more to merge";
  EXPECT_TRUE(findConflictCopies(desktop).empty());

  // Nothing either computer did is lost.
  on(desktop, [&] {
    WordRecord record;
    ASSERT_GE(findEntry(store, "Abend", record), 0);
    EXPECT_EQ(translationOf(record), "evening (desktop)");
    ASSERT_GE(findEntry(store, "Abendbrot", record), 0);
    EXPECT_EQ(translationOf(record), "supper (desktop)");
    EXPECT_FALSE(holds("Abfall", std::string(translationOf(deleted))));
    EXPECT_TRUE(holds("Abfall", "dip")) << "the other records of the word stay";
    for (const Study* study : {&onLaptop, &onDesktop})
      for (const auto& [word, translation] : study->added) {
        ASSERT_GE(findEntry(store, word, record), 0) << word;
        EXPECT_EQ(translationOf(record), translation);
      }
    EXPECT_EQ(readEditLog(hostPath(editLogPath(*directions.currentDirection))).edits.size(), 4U + 3U);

    makeListCurrent("Lernen");
    std::set<std::string> listed;
    for (int i = 0; i < store.listCount; ++i)
      if (readListRecord(i, record) == 0) listed.insert(std::string(wordOf(record)));
    EXPECT_EQ(listed, (std::set<std::string>{"Haus", "Baum", "Zemboklang", "Katze"}));

    const fs::path listFile = hostPath(listFilePath());
    const ReviewLogRead log = readReviewLog(reviewLogPath(listFile));
    std::set<std::string> ids;
    for (const ReviewLine& line : log.lines) ids.insert(line.id);
    for (const Study* study : {&onLaptop, &onDesktop})
      for (const ReviewLine& line : study->reviews) EXPECT_TRUE(ids.count(line.id)) << "review " << line.id;
    EXPECT_EQ(log.lines.size(), 6U);

    // "Haus", reviewed on both, is where its four reviews in the order given lead.
    Card haus;
    haus.word = "Haus";
    for (const auto& [time, grade] : std::vector<std::pair<std::int64_t, int>>{
             {start, 3}, {start + day, 1}, {start + 2 * day, 3}, {start + 3 * day, 4}})
      gradeCard(FsrsParameters{}, "default", haus, grade, time);
    const ReviewCards read = readReviewCards(listFile);
    std::map<std::string, std::string> cards;
    for (const Card& card : read.cards) appendCardLine(cards[card.word], card);
    std::string expected;
    appendCardLine(expected, haus);
    EXPECT_EQ(cards["Haus"], expected);
    EXPECT_EQ(cards.size(), 3U);
  });
}

}  // namespace
}  // namespace zembo
