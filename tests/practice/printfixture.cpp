#include "tests/practice/printfixture.h"

#include <QPageSize>

#include <chrono>
#include <cstdio>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include "platform/messagebox.h"
#include "practice/printlist.h"
#include "store/store.h"

namespace zembo::test {

void PrintTest::SetUp() {
  DictionaryTest::SetUp();
  resetPrintState();
  startRecordingMessageBoxes();
}

void PrintTest::TearDown() {
  resetPrintState();
  DictionaryTest::TearDown();
}

void PrintTest::startWithList(const std::vector<WordPair>& list) {
  writeSampleDictionary();
  writeWords("list/words/Fre_Eng.ls", list);
  ASSERT_EQ(start(), -1);
  ASSERT_EQ(store.listCount, static_cast<int>(list.size()));
}

std::unique_ptr<QPrinter> PrintTest::pdfPrinter(const std::filesystem::path& file, double widthInches,
                                                double heightInches) const {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(file.string()));
  printer->setPageSize(QPageSize(QSizeF(widthInches, heightInches), QPageSize::Inch));
  printer->setPageMargins(QMarginsF(0, 0, 0, 0));
  return printer;
}

std::string PrintTest::commandOutput(const std::string& command) {
  std::string output;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    ::pclose(pipe);
  }
  return output;
}

bool PrintTest::havePdfTools() {
  return std::system("command -v pdftotext >/dev/null 2>&1 && command -v pdfinfo >/dev/null 2>&1") == 0;
}

int PrintTest::pageCount(const std::filesystem::path& pdf) {
  std::istringstream info(commandOutput("pdfinfo '" + pdf.string() + "' 2>/dev/null"));
  for (std::string line; std::getline(info, line);)
    if (line.rfind("Pages:", 0) == 0) return std::stoi(line.substr(6));
  return -1;
}

std::string PrintTest::pageText(const std::filesystem::path& pdf, int page) {
  const std::string p = std::to_string(page);
  std::istringstream raw(
      commandOutput("pdftotext -layout -enc UTF-8 -f " + p + " -l " + p + " '" + pdf.string() + "' - 2>/dev/null"));
  std::string text;
  for (std::string line; std::getline(raw, line);) {
    line.erase(line.find_last_not_of(" \f") + 1);
    text += line + "\n";
  }
  return text;
}

std::vector<std::string> PrintTest::pageFirstLines(const std::filesystem::path& pdf) {
  std::vector<std::string> lines;
  for (int page = 1, pages = pageCount(pdf); page <= pages; ++page) {
    std::istringstream text(pageText(pdf, page));
    std::string line;
    while (std::getline(text, line) && line.empty()) {
    }
    lines.push_back(line);
  }
  return lines;
}

std::string PrintTest::squeezed(const std::string& text) {
  std::string out;
  for (char c : text)
    if (!(c == ' ' && !out.empty() && out.back() == ' ')) out += c;
  return out;
}

std::map<std::string, QPointF> PrintTest::wordCorners(const std::filesystem::path& pdf) {
  const std::string html = commandOutput("pdftotext -bbox -f 1 -l 1 '" + pdf.string() + "' - 2>/dev/null");
  std::map<std::string, QPointF> corners;
  for (std::size_t at = html.find("<word "); at != std::string::npos; at = html.find("<word ", at + 1)) {
    double x = -1, y = -1;
    std::sscanf(html.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\"", &x, &y);
    const std::size_t start = html.find('>', at) + 1;
    corners.emplace(html.substr(start, html.find('<', start) - start), QPointF(x, y));
  }
  return corners;
}

std::vector<PrintTest::WordBox> PrintTest::wordBoxes(const std::filesystem::path& pdf) {
  const std::string html = commandOutput("pdftotext -bbox '" + pdf.string() + "' - 2>/dev/null");
  std::vector<WordBox> words;
  int page = 0;
  double pageHeight = 0;
  for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    double width = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (std::sscanf(html.c_str() + at, "<page width=\"%lf\" height=\"%lf\"", &width, &pageHeight) == 2) {
      ++page;
    } else if (std::sscanf(html.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &x0, &y0,
                           &x1, &y1) == 4) {
      const std::size_t start = html.find('>', at) + 1;
      words.push_back({page, html.substr(start, html.find('<', start) - start),
                       QRectF(QPointF(x0, y0), QPointF(x1, y1)), pageHeight});
    }
  }
  return words;
}

FifoWatchdog::FifoWatchdog(std::filesystem::path fifo)
    : thread_([this, fifo] {
        using namespace std::chrono_literals;
        const auto start = std::chrono::steady_clock::now();
        while (!done_) {
          std::this_thread::sleep_for(10ms);
          if (std::chrono::steady_clock::now() - start < 10s) continue;
          const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
          fired_ = true;
          std::this_thread::sleep_for(500ms);
          if (fd >= 0) ::close(fd);
        }
      }) {}

FifoWatchdog::~FifoWatchdog() {
  done_ = true;
  thread_.join();
}

}  // namespace zembo::test
