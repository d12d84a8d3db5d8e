#pragma once
// zembo started on a small dictionary whose French practice list the test chooses, and printed
// lists read back as a PDF reader sees them (through poppler's tools when they are installed).

#include <QPointF>
#include <QPrinter>
#include <QRectF>

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/dictionaryfixture.h"

namespace zembo::test {

class PrintTest : public DictionaryTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The dictionary of the fixture with one practice list holding these records, zembo started.
  void startWithList(const std::vector<WordPair>& list);
  // A printer writing a PDF file of the given page size in inches.
  std::unique_ptr<QPrinter> pdfPrinter(const std::filesystem::path& file, double widthInches = 5,
                                       double heightInches = 5) const;

  static bool havePdfTools();
  static int pageCount(const std::filesystem::path& pdf);
  // The text of one page (from 1) with its layout kept, lines without trailing blanks.
  static std::string pageText(const std::filesystem::path& pdf, int page);
  // The first line of every page that holds text, to tell the pages apart.
  static std::vector<std::string> pageFirstLines(const std::filesystem::path& pdf);
  static std::string commandOutput(const std::string& command);
  // Runs of blanks as one blank, as a reader takes the columns in.
  static std::string squeezed(const std::string& text);
  // The top left corner, in points, of the first of each word on page 1.
  static std::map<std::string, QPointF> wordCorners(const std::filesystem::path& pdf);
  // Every word of the document with its page (from 1), its box and its page's height, in points:
  // what a reader finds when searching, the clipped text included.
  struct WordBox {
    int page = 0;
    std::string text;
    QRectF box;
    double pageHeight = 0;
  };
  static std::vector<WordBox> wordBoxes(const std::filesystem::path& pdf);
};

// Keeps a test of code that might wait on a pipe from hanging: when the test still runs after a
// while, it opens the pipe at both ends for a moment, again and again, which lets a waiting open or
// read go on, and notes that it had to.
class FifoWatchdog {
 public:
  explicit FifoWatchdog(std::filesystem::path fifo);
  ~FifoWatchdog();
  bool fired() const { return fired_; }

 private:
  std::atomic<bool> done_{false}, fired_{false};
  std::thread thread_;
};

#define SKIP_WITHOUT_PDF_TOOLS() \
  if (!havePdfTools()) GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed"

}  // namespace zembo::test
