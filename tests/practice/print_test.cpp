#include <QApplication>
#include <QPageSize>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <tuple>

#include "directions/directions.h"
#include "platform/messagebox.h"
#include "practice/printingwindow.h"
#include "practice/printlist.h"
#include "store/store.h"
#include "tests/practice/printfixture.h"
#include "windowkit/qttext.h"

#include <sys/stat.h>

namespace zembo {
namespace {

using test::readFile;
using test::WordPair;
using test::writeFile;

class PrintListTest : public test::PrintTest {};

const std::string chatHeading = std::string("French") + std::string(25, ' ') + "       English\r\n\r\n";
const std::string chatLine = std::string("chat") + std::string(27, ' ') + "   -   cat\r\n";

TEST_F(PrintListTest, OneRecordGivesTheHeadingAnEmptyLineAndTheRecordInTheFile) {
  startWithList({{"chat", "cat"}});
  ASSERT_EQ(writePrintFile(), 0);
  EXPECT_EQ(readFile("list.prt"), chatHeading + chatLine);

  const std::unique_ptr<QTextDocument> text = loadPrintFile();
  ASSERT_TRUE(text);
  EXPECT_FALSE(std::filesystem::exists("list.prt"));
  EXPECT_EQ(text->blockCount(), 4);  // the last line end opens an empty line
  EXPECT_EQ(text->findBlockByNumber(0).text().toStdString(), "French" + std::string(32, ' ') + "English");
  EXPECT_TRUE(text->findBlockByNumber(1).text().isEmpty());
  EXPECT_EQ(text->findBlockByNumber(2).text().toStdString(), "chat" + std::string(27, ' ') + "   -   cat");
}

TEST_F(PrintListTest, OnlyTheHeadingIsBoldAndEveryColumnIsInCourierNew) {
  startWithList({{"chat", "cat"}, {"chien", "dog"}});
  ASSERT_EQ(writePrintFile(), 0);
  const std::unique_ptr<QTextDocument> text = loadPrintFile();
  formatPrintText(*text, nullptr);
  auto formatAt = [&](int block, int column) {
    const QTextBlock b = text->findBlockByNumber(block);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (f.position() <= b.position() + column && b.position() + column < f.position() + f.length())
        return f.charFormat();
    }
    return QTextCharFormat();
  };
  for (int column : {0, 37, 38, 44}) {
    EXPECT_EQ(formatAt(0, column).fontWeight(), QFont::Bold) << column;
    EXPECT_EQ(formatAt(0, column).fontFamilies().toStringList(), QStringList{"Courier New"});
  }
  for (int block : {2, 3})
    for (int column : {0, 30, 38, 40}) {
      EXPECT_EQ(formatAt(block, column).fontWeight(), QFont::Normal) << block << " " << column;
      EXPECT_EQ(formatAt(block, column).fontFamilies().toStringList(), QStringList{"Courier New"});
    }
}

TEST_F(PrintListTest, PrintingToAPdfShowsBothColumnsInCourierWithABoldHeading) {
  SKIP_WITHOUT_PDF_TOOLS();
  startWithList({{"chat", "cat"}});
  const auto pdf = dir / "chat.pdf";
  ASSERT_EQ(printListOn(*pdfPrinter(pdf)), 0);
  EXPECT_FALSE(std::filesystem::exists("list.prt"));
  ASSERT_EQ(pageCount(pdf), 1);
  EXPECT_EQ(squeezed(pageText(pdf, 1)).substr(0, 27), "French English\n\nchat - cat\n");
  // The columns stand 38 characters of 6 points apart: the translation in column 39.
  std::map<std::string, QPointF> corner = wordCorners(pdf);
  EXPECT_NEAR(corner["English"].x() - corner["French"].x(), 38 * 6.0, 1.0);
  EXPECT_NEAR(corner["cat"].x() - corner["chat"].x(), 38 * 6.0, 1.0);
  EXPECT_NEAR(corner["French"].x(), corner["chat"].x(), 0.1);
  const std::string fonts = commandOutput("pdffonts '" + pdf.string() + "' 2>/dev/null");
  if (!fonts.empty()) {
    EXPECT_NE(fonts.find("LiberationMono-Bold"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("LiberationMono "), std::string::npos) << fonts;
  }
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(PrintListTest, TheProgressCountsEveryTenthRecordAndDeletedRecordsArePrinted) {
  std::vector<WordPair> records = test::numberedPairs(25);
  records[7].flags = 1;
  startWithList(records);
  ASSERT_EQ(writePrintFile(), 0);
  const std::unique_ptr<QTextDocument> text = loadPrintFile();
  PrintingWindow window;
  window.show();
  formatPrintText(*text, &window);
  EXPECT_EQ(window.progressHistory(), (std::vector<std::string>{"Word 0", "Word 10", "Word 20"}));
  saveGrab(&window, "printing-window");
  EXPECT_EQ(window.windowTitle(), "Print");
  EXPECT_EQ(window.size(), QSize(294, 104));
  EXPECT_EQ(text->blockCount(), 28);
  EXPECT_EQ(text->findBlockByNumber(9).text().toStdString(), "w007" + std::string(27, ' ') + "   -   t007");
}

// More than a million characters: nothing of the list is cut off.
TEST_F(PrintListTest, ALongListIsPreparedWhole) {
  std::vector<WordPair> records = test::numberedPairs(12000);
  for (WordPair& r : records) r.translation.resize(50, 'x');
  startWithList(records);
  ASSERT_EQ(writePrintFile(), 0);
  const std::unique_ptr<QTextDocument> text = loadPrintFile();
  formatPrintText(*text, nullptr);
  ASSERT_GT(text->characterCount(), 1048575);
  EXPECT_EQ(text->blockCount(), 12003);
  EXPECT_EQ(text->findBlockByNumber(12001).text().toStdString(),
            "w11999" + std::string(25, ' ') + "   -   t11999" + std::string(44, 'x'));
}

TEST_F(PrintListTest, ACyrillicWordColumnAndALatinTranslationColumnPrintTheirOwnLetters) {
  SKIP_WITHOUT_PDF_TOOLS();
  writeSampleDictionary("Rus_Eng.zb");
  writeFile("dict.ini", "[language]\nRussian,russian,204\n\n[selected]\nRus_Eng.zb\n\n[AddNew]\non\n");
  test::writeWords("language/Rus_Eng.zb", {{"\xEA\xEE\xF8\xEA\xE0", "cat"}});
  test::writeWords("language/Eng_Rus.zb", {{"cat", "\xEA\xEE\xF8\xEA\xE0"}});
  // "koshka" in Windows-1251 beside "café" in Windows-1252, whose 0xE9 would be a Cyrillic letter.
  test::writeWords("list/words/Rus_Eng.ls", {{"\xEA\xEE\xF8\xEA\xE0", "caf\xE9"}});
  ASSERT_EQ(start(), -1);
  ASSERT_EQ(directions.currentDirection->sourceCharset, 204);
  ASSERT_EQ(store.listCount, 1);
  const auto pdf = dir / "russian.pdf";
  ASSERT_EQ(printListOn(*pdfPrinter(pdf)), 0);
  const std::string page = pageText(pdf, 1);
  EXPECT_EQ(squeezed(page).find("Russian English\n"), 0u) << page;
  EXPECT_NE(squeezed(page).find("кошка - café"), std::string::npos) << page;
}

TEST_F(PrintListTest, APageRangePrintsOnlyThosePages) {
  SKIP_WITHOUT_PDF_TOOLS();
  startWithList(test::numberedPairs(80));
  const auto all = dir / "all.pdf";
  ASSERT_EQ(printListOn(*pdfPrinter(all)), 0);
  ASSERT_EQ(pageCount(all), 4);
  const std::vector<std::string> pages = pageFirstLines(all);
  EXPECT_EQ(pages[0].substr(0, 6), "French");

  const auto range = dir / "range.pdf";
  auto printer = pdfPrinter(range);
  printer->setPrintRange(QPrinter::PageRange);
  printer->setFromTo(2, 3);
  ASSERT_EQ(printListOn(*printer), 0);
  EXPECT_EQ(pageFirstLines(range), (std::vector<std::string>{pages[1], pages[2]}));
  EXPECT_EQ(pageText(range, 2), pageText(all, 3));
}

// A reader searching or copying the document finds every entry once: no line that a page cuts off
// stays behind, clipped, at its bottom or the top of the next, and every line stands inside the margins.
TEST_F(PrintListTest, EveryLineOfAListOverSeveralPagesIsOnExactlyOnePageWhole) {
  SKIP_WITHOUT_PDF_TOOLS();
  std::vector<WordPair> records = test::numberedPairs(120);
  // Some entries wrap onto a second line on a page five inches wide.
  for (std::size_t i = 0; i < records.size(); i += 7) records[i].translation += ", u" + records[i].word + " wrapping";
  startWithList(records);
  const auto pdf = dir / "long.pdf";
  ASSERT_EQ(printListOn(*pdfPrinter(pdf)), 0);
  ASSERT_GE(pageCount(pdf), 5);

  std::vector<WordBox> words = wordBoxes(pdf);
  // In reading order: page by page, line by line, left to right.
  std::sort(words.begin(), words.end(), [](const WordBox& a, const WordBox& b) {
    return std::tuple(a.page, std::lround(a.box.top()), a.box.left()) <
           std::tuple(b.page, std::lround(b.box.top()), b.box.left());
  });
  std::vector<std::string> found;
  std::map<std::string, int> pageOf;
  for (const WordBox& word : words) {
    EXPECT_GE(word.box.top(), 36.0 - 0.5) << word.text << " on page " << word.page;
    EXPECT_LE(word.box.bottom(), word.pageHeight - 36.0 + 0.5) << word.text << " on page " << word.page;
    const std::string entryPart = word.text.substr(0, word.text.find(','));
    if (entryPart.size() >= 4 && std::isdigit(static_cast<unsigned char>(entryPart.back()))) {
      found.push_back(entryPart);
      pageOf[entryPart] = word.page;
    }
  }
  std::vector<std::string> expected;
  for (const WordPair& record : records) {
    expected.push_back(record.word);
    expected.push_back(record.translation.substr(0, 4));
    if (record.translation.size() > 4) {
      expected.push_back("u" + record.word);
      EXPECT_EQ(pageOf["u" + record.word], pageOf[record.word]) << "an entry's wrapped line stays on its page";
    }
  }
  EXPECT_EQ(found, expected);
}

TEST_F(PrintListTest, APageRangeBeyondTheEndPrintsNoSheet) {
  startWithList({{"chat", "cat"}});
  const auto pdf = dir / "beyond.pdf";
  auto printer = pdfPrinter(pdf);
  printer->setPrintRange(QPrinter::PageRange);
  printer->setFromTo(2, 5);
  EXPECT_EQ(printListOn(*printer), 0);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(PrintListTest, PagesComeOutInTheOrderOfCopiesCollationAndRange) {
  using Pages = std::vector<int>;
  EXPECT_EQ(pagesToPrint(3, {}), (Pages{1, 2, 3}));
  EXPECT_EQ(pagesToPrint(2, {3, true, false, 0, 0}), (Pages{1, 2, 1, 2, 1, 2}));
  EXPECT_EQ(pagesToPrint(2, {3, false, false, 0, 0}), (Pages{1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(pagesToPrint(4, {1, false, true, 2, 3}), (Pages{2, 3}));
  EXPECT_EQ(pagesToPrint(4, {2, true, true, 3, 9}), (Pages{3, 4, 3, 4}));
  EXPECT_EQ(pagesToPrint(4, {2, false, true, 4, 4}), (Pages{4, 4}));
  EXPECT_EQ(pagesToPrint(1, {1, false, true, 2, 3}), Pages{});
}

TEST_F(PrintListTest, CollatedCopiesRepeatTheDocumentAndUncollatedOnesEachPage) {
  SKIP_WITHOUT_PDF_TOOLS();
  startWithList(test::numberedPairs(40));
  const auto once = dir / "once.pdf";
  ASSERT_EQ(printListOn(*pdfPrinter(once)), 0);
  const std::vector<std::string> pages = pageFirstLines(once);
  ASSERT_EQ(pages.size(), 2u);
  ASSERT_NE(pages[0], pages[1]);

  const auto collated = dir / "collated.pdf";
  auto printer = pdfPrinter(collated);
  printer->setCopyCount(3);
  printer->setCollateCopies(true);
  ASSERT_EQ(printListOn(*printer), 0);
  EXPECT_EQ(pageFirstLines(collated),
            (std::vector<std::string>{pages[0], pages[1], pages[0], pages[1], pages[0], pages[1]}));
  EXPECT_EQ(printer->copyCount(), 1);  // each document copy was one

  const auto uncollated = dir / "uncollated.pdf";
  printer = pdfPrinter(uncollated);
  printer->setCopyCount(3);
  printer->setCollateCopies(false);
  ASSERT_EQ(printListOn(*printer), 0);
  EXPECT_EQ(pageFirstLines(uncollated),
            (std::vector<std::string>{pages[0], pages[0], pages[0], pages[1], pages[1], pages[1]}));
  EXPECT_EQ(printer->copyCount(), 3);
}

TEST_F(PrintListTest, TheMarginsOnlyStandOnAPageBigEnoughForThem) {
  const TwipsRect letter = printRectangle(12240, 15840);
  EXPECT_EQ(letter.left, 360);
  EXPECT_EQ(letter.right, 12240 - 360);
  EXPECT_EQ(letter.top, 720);
  EXPECT_EQ(letter.bottom, 15840 - 720);
  const TwipsRect small = printRectangle(3600, 4320);  // 2.5 x 3 inches
  EXPECT_EQ(small.left, 0);
  EXPECT_EQ(small.right, 3600);
  EXPECT_EQ(small.top, 0);
  EXPECT_EQ(small.bottom, 4320);
  const TwipsRect wide = printRectangle(3601, 4320);
  EXPECT_EQ(wide.left, 360);
  EXPECT_EQ(wide.top, 0);
}

TEST_F(PrintListTest, OnASmallPageTheTextStartsInTheCornerOfThePaper) {
  SKIP_WITHOUT_PDF_TOOLS();
  startWithList({{"chat", "cat"}});
  const auto small = dir / "small.pdf", big = dir / "big.pdf";
  ASSERT_EQ(printListOn(*pdfPrinter(small, 2.4, 2.9)), 0);
  ASSERT_EQ(printListOn(*pdfPrinter(big, 5, 5)), 0);
  // The top left corner of the first word, in points.
  const QPointF smallCorner = wordCorners(small)["French"], bigCorner = wordCorners(big)["French"];
  EXPECT_LT(smallCorner.x(), 1.0);
  EXPECT_LT(smallCorner.y(), 1.0);
  EXPECT_NEAR(bigCorner.x(), 18.0, 1.0);  // a quarter inch
  EXPECT_NEAR(bigCorner.y(), 36.0, 1.0);  // half an inch
}

TEST_F(PrintListTest, AnEmptyListPrintsNothing) {
  startWithList({});
  const auto pdf = dir / "empty.pdf";
  EXPECT_EQ(printListOn(*pdfPrinter(pdf)), -1);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_FALSE(std::filesystem::exists("list.prt"));
  printList();
  EXPECT_EQ(printing.printSettings, nullptr);  // no dialog was shown
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(PrintListTest, AFolderWhereThePrintFileCannotBeWrittenPrintsNothingAndSaysSo) {
  startWithList({{"chat", "cat"}});
  std::filesystem::create_directory("list.prt");  // not even root can write a file there
  const auto pdf = dir / "chat.pdf";
  EXPECT_EQ(printListOn(*pdfPrinter(pdf)), -1);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_NE(recordedMessageBoxes()[0].text.find("list.prt"), std::string::npos);
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Print");
  EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK | MB_ICONWARNING);
  EXPECT_TRUE(std::filesystem::is_directory("list.prt"));
}

// Whatever lies under the print file's name is neither followed nor changed: a link to a file, a
// link to nowhere, a pipe (which would hold the program until something read it).
TEST_F(PrintListTest, ALinkOrAPipeNamedLikeThePrintFileIsLeftAloneAndReported) {
  startWithList({{"chat", "cat"}});
  writeFile("notes.txt", "a user's notes\n");
  const auto pdf = dir / "chat.pdf";
  auto expectRefused = [&](const char* what) {
    EXPECT_EQ(printListOn(*pdfPrinter(pdf)), -1) << what;
    EXPECT_FALSE(std::filesystem::exists(pdf)) << what;
    ASSERT_EQ(recordedMessageBoxes().size(), 1u) << what;
    EXPECT_NE(recordedMessageBoxes()[0].text.find("list.prt"), std::string::npos) << what;
    EXPECT_NE(recordedMessageBoxes()[0].text.find("not a plain file"), std::string::npos) << what;
    EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK | MB_ICONWARNING) << what;
    startRecordingMessageBoxes();  // afresh
  };
  std::filesystem::create_symlink("notes.txt", "list.prt");
  expectRefused("a link to a file");
  EXPECT_EQ(readFile("notes.txt"), "a user's notes\n");
  EXPECT_TRUE(std::filesystem::is_symlink("list.prt"));

  std::filesystem::remove("list.prt");
  std::filesystem::create_symlink("made by printing.txt", "LIST.PRT");  // names match in any case
  expectRefused("a link to nowhere");
  EXPECT_FALSE(std::filesystem::exists("made by printing.txt"));
  EXPECT_TRUE(std::filesystem::is_symlink("LIST.PRT"));

  std::filesystem::remove("LIST.PRT");
  ASSERT_EQ(::mkfifo("list.prt", 0600), 0);
  {
    test::FifoWatchdog watchdog("list.prt");
    expectRefused("a pipe");
    EXPECT_FALSE(watchdog.fired()) << "printing waited on the pipe";
  }
  EXPECT_EQ(std::filesystem::status("list.prt").type(), std::filesystem::file_type::fifo);
}

// A plain file left by a print that was interrupted is replaced; one of its other names keeps its text.
TEST_F(PrintListTest, APlainFileLeftUnderThePrintFilesNameIsReplacedNotWrittenThrough) {
  startWithList({{"chat", "cat"}});
  writeFile("notes.txt", "a user's notes\n");
  std::filesystem::create_hard_link("notes.txt", "list.prt");
  ASSERT_EQ(writePrintFile(), 0);
  EXPECT_EQ(readFile("list.prt"), chatHeading + chatLine);
  EXPECT_EQ(readFile("notes.txt"), "a user's notes\n");
  const auto pdf = dir / "chat.pdf";
  EXPECT_EQ(printListOn(*pdfPrinter(pdf)), 0);
  EXPECT_TRUE(std::filesystem::exists(pdf));
  EXPECT_FALSE(std::filesystem::exists("list.prt"));
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

TEST_F(PrintListTest, APrinterThatCannotStartTheDocumentIsReportedAndPrintsNothing) {
  startWithList({{"chat", "cat"}});
  const auto pdf = dir / "no such folder" / "chat.pdf";
  auto printer = pdfPrinter(pdf);
  printer->setCopyCount(2);
  EXPECT_EQ(printListOn(*printer), -1);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_FALSE(std::filesystem::exists("list.prt"));
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "An error occured while trying to print.");
  EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK | MB_ICONWARNING);
  EXPECT_EQ(printer->copyCount(), 2);
  // Nothing stays behind: the printing window is gone.
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(dynamic_cast<PrintingWindow*>(w), nullptr);
}

// The sample dictionary's first hundred French words as a practice list, printed on A4 paper.
TEST_F(PrintListTest, AListOfTheSampleDictionaryPrintsOnA4) {
  SKIP_WITHOUT_PDF_TOOLS();
  std::filesystem::copy(ZEMBO_SAMPLE_DIR, dir, std::filesystem::copy_options::recursive);
  writeFile("list/sample/Fre_Eng.ls", readFile("language/Fre_Eng.zb").substr(0, 100 * sizeof(WordRecord)));
  ASSERT_EQ(start(), -1);
  ASSERT_EQ(store.listCount, 100);
  WordRecord last;
  ASSERT_EQ(readListRecord(99, last), 0);
  const std::string lastWord(wordOf(last)), lastTranslation(translationOf(last));

  const auto pdf = dir / "sample-list.pdf";
  auto printer = pdfPrinter(pdf);
  printer->setPageSize(QPageSize(QPageSize::A4));
  ASSERT_EQ(printListOn(*printer), 0);
  ASSERT_EQ(pageCount(pdf), 2);
  EXPECT_EQ(squeezed(pageText(pdf, 1)).substr(0, 16), "French English\n\n");
  EXPECT_NE(
      squeezed(pageText(pdf, 2))
          .find(toQString(lastWord, 0).toStdString() + " - " + toQString(lastTranslation, 0).toStdString() + "\n"),
      std::string::npos);
  if (const char* folder = std::getenv("ZEMBO_GRAB_DIR"))
    std::filesystem::copy_file(pdf, std::filesystem::path(folder) / "sample-list.pdf",
                               std::filesystem::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace zembo
