// The text-file window on a large text: File > Open textfile of a 20 MB file, and a left click far
// into it, near its end. Beside them, in the same run: the same file shown by a bare QPlainTextEdit
// (read whole, decoded as Latin-1, set into a shown field), what the toolkit alone costs and the
// floor for the load; and a click near the text's beginning, the floor for a click. Each figure is
// the best of three; the load is broken down into reading, decoding and filling the field, the click
// into taking the word at the caret and looking it up in the word file.
//
//   bench_textwindow [megabytes]    (default 20; works on a copy of the sample dictionary under /tmp)

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "bench/benchutil.h"
#include "directions/directions.h"
#include "lookup/textwindow.h"
#include "platform/messagebox.h"
#include "resources/commands.h"
#include "store/collate.h"
#include "store/store.h"

namespace {

using namespace zembo;
using bench::Clock;
using bench::secondsSince;
namespace fs = std::filesystem;

constexpr int runs = 3;
const std::string line = "Le chat mange du pain et du fromage chaque jour.\r\n";
const std::string lastWord = "maison";

QString textFile;
QString chooseBenchFile(QWidget*, const QString&) { return textFile; }

void writeText(std::size_t megabytes) {
  std::string text;
  text.reserve((megabytes << 20) + line.size());
  while (text.size() < (megabytes << 20)) text += line;
  text += lastWord;
  std::ofstream("big.txt", std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  textFile = QString::fromStdString(fs::absolute("big.txt").string());
}

void settle() { QApplication::processEvents(); }

// A left click whose press puts the caret at this position of the text field, as a user makes it.
double clickAt(TextWindow& window, int position) {
  QPlainTextEdit* field = window.textField();
  QTextCursor cursor(field->document());
  cursor.setPosition(position);
  field->setTextCursor(cursor);
  field->ensureCursorVisible();
  settle();
  const QRect caret = field->cursorRect(cursor);
  const auto start = Clock::now();
  QTest::mouseClick(field->viewport(), Qt::LeftButton, {}, QPoint(caret.left() + 1, caret.center().y()));
  settle();
  return secondsSince(start);
}

struct Figures {
  double open = 1e9, bareField = 1e9;
  double read = 1e9, decode = 1e9, fill = 1e9;
  double farClick = 1e9, nearClick = 1e9, caretWord = 1e9, lookup = 1e9;
};

// The load as the window does it, step by step, on the window's own field.
void measureLoadSteps(TextWindow& window, Figures& best) {
  auto start = Clock::now();
  QFile file(textFile);
  file.open(QIODevice::ReadOnly);
  std::string bytes(static_cast<std::size_t>(file.size()), '\0');
  file.read(bytes.data(), static_cast<qint64>(bytes.size()));
  best.read = std::min(best.read, secondsSince(start));
  start = Clock::now();
  const QString text = textForField(bytes, directions.currentDirection->sourceCharset);
  best.decode = std::min(best.decode, secondsSince(start));
  window.textField()->clear();  // as at the first Open, with no text to take down first
  settle();
  start = Clock::now();
  window.textField()->setPlainText(text);
  settle();
  best.fill = std::min(best.fill, secondsSince(start));

  const std::size_t farPosition = bytes.size() - 2;
  start = Clock::now();
  const std::string word = wordAtCaret(bytes, farPosition);
  best.caretWord = std::min(best.caretWord, secondsSince(start));
  start = Clock::now();
  findWord(word);
  best.lookup = std::min(best.lookup, secondsSince(start));
}

void measureBareField(Figures& best) {
  QPlainTextEdit field;
  field.setLineWrapMode(QPlainTextEdit::NoWrap);
  field.setReadOnly(true);
  field.resize(586, 180);
  field.show();
  settle();
  const auto start = Clock::now();
  QFile file(textFile);
  file.open(QIODevice::ReadOnly);
  field.setPlainText(QString::fromLatin1(file.readAll()));
  settle();
  best.bareField = std::min(best.bareField, secondsSince(start));
}

void runOnce(TextWindow& window, Figures& best) {
  measureBareField(best);
  auto start = Clock::now();
  window.command(cmdOpenTextFile, commandClicked);
  settle();
  best.open = std::min(best.open, secondsSince(start));
  const QTextDocument* document = window.textField()->document();
  if (document->lastBlock().text() != QString::fromStdString(lastWord)) std::printf("the text did not load whole\n");

  clickAt(window, 3);  // "chat" on the first line, so that the far click has a new word to look up
  best.farClick = std::min(best.farClick, clickAt(window, document->lastBlock().position() + 2));
  if (window.lastCaretWord() != lastWord) std::printf("the far click took \"%s\"\n", window.lastCaretWord().c_str());
  best.nearClick = std::min(best.nearClick, clickAt(window, static_cast<int>(line.find("pain")) + 1));
  measureLoadSteps(window, best);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 20;
  const fs::path folder = fs::temp_directory_path() / "zembo-bench-textwindow";
  bench::makeSampleFolder(ZEMBO_SAMPLE_DIR, folder, true);  // its settings and lock stay in it
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  startRecordingMessageBoxes();  // a message would wait for a person that is not there
  startZembo("");
  settle();
  if (!mainWindow) {
    std::printf("zembo did not start\n");
    return 1;
  }
  mainWindow->command(cmdTextFileSearch, commandClicked);
  auto* window = qobject_cast<TextWindow*>(mainWindow->openToolWindow());
  if (!window) {
    std::printf("the text-file window did not open\n");
    return 1;
  }
  settle();
  setTextFileChooser(chooseBenchFile);
  writeText(megabytes);

  Figures best;
  for (int run = 0; run < runs; ++run) runOnce(*window, best);
  for (const RecordedMessageBox& box : recordedMessageBoxes()) std::printf("message: %s\n", box.text.c_str());
  std::printf("best of %d runs, a text of %zu MB in %zu lines\n", runs, megabytes, (megabytes << 20) / line.size() + 1);
  std::printf("  Open textfile     %.3f s   a bare QPlainTextEdit %.3f s   ratio %.2f\n", best.open, best.bareField,
              best.open / best.bareField);
  std::printf("    read %.3f s  decode %.3f s  fill the field %.3f s\n", best.read, best.decode, best.fill);
  std::printf("  click at the end  %.2f ms   a click on the first line %.2f ms   ratio %.2f\n", 1000 * best.farClick,
              1000 * best.nearClick, best.farClick / best.nearClick);
  std::printf("    word at the caret %.3f ms  findWord %.3f ms  the rest (events, rows, painting) %.2f ms\n",
              1000 * best.caretWord, 1000 * best.lookup, 1000 * (best.farClick - best.caretWord - best.lookup));
  window->command(cmdDone, commandClicked);
  settle();
  // The program's lock stays until the process ends, and with it its folder; the next run clears it.
  fs::current_path(folder / "runtime");
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.path().filename() != "runtime") fs::remove_all(entry.path());
  return 0;
}
