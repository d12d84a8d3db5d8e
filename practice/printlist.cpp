#include "practice/printlist.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "directions/directions.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "practice/printingwindow.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {
PrintState printingState;  // the one mutable instance
}  // namespace
const PrintState& printing = printingState;

namespace {

// Our own texts, English in every edition.
constexpr const char* printFailedText = "An error occured while trying to print.";
constexpr const char* printFileFailedText =
    "The list cannot be printed: the file list.prt cannot be written in the program's folder.";
constexpr const char* printFileTakenText =
    "The list cannot be printed: list.prt in the program's folder is not a plain file (a link, a folder or a "
    "pipe). Move it away and print again.";

constexpr int wordColumnWidth = 38;  // 31 for the word, 7 for "   -   "
constexpr int pointSize = 10;
constexpr int twipsPerInch = 1440;

// The character sets of the columns are the low bytes of the direction's.
int sourceColumnCharset() { return directions.currentDirection->sourceCharset & 0xFF; }
int targetColumnCharset() { return directions.currentDirection->targetCharset & 0xFF; }

// A line as the C runtime's text mode writes it: every line end becomes CR LF.
bool writeTextMode(std::FILE* file, const char* text) {
  for (const char* c = text; *c; ++c) {
    if (*c == '\n' && std::fputc('\r', file) == EOF) return false;
    if (std::fputc(*c, file) == EOF) return false;
  }
  return true;
}

bool writeHeadingAndRecords(std::FILE* file) {
  char line[300];
  std::snprintf(line, sizeof line, "%-31s       %s\n\n", directions.currentDirection->sourceName,
                directions.currentDirection->targetName);
  if (!writeTextMode(file, line)) return false;
  WordRecord record{};  // a record that cannot be read repeats the one before
  for (int i = 0; i < store.listCount; ++i) {
    readListRecord(i, record);
    const std::string word(wordOf(record)), translation(translationOf(record));
    std::snprintf(line, sizeof line, "%-31s   -   %s\n", word.c_str(), translation.c_str());
    if (!writeTextMode(file, line)) return false;
  }
  return true;
}

// CR LF is one line end, and in the document one position.
std::string withPlainLineEnds(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
  return text;
}

QTextCharFormat columnFormat(bool bold) {
  QTextCharFormat format;
  format.setFontFamilies({QStringLiteral("Courier New")});
  format.setFontStyleHint(QFont::TypeWriter);
  format.setFontFixedPitch(true);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(false);
  format.setFontUnderline(false);
  return format;
}

// The document was loaded in the source language's code page; a range in another character set
// is decoded again from the same bytes (every byte survives the round trip), so the positions
// stay where they were.
void formatRange(QTextCursor& cursor, int from, int length, int charset, bool bold) {
  const int end = cursor.document()->characterCount() - 1;
  cursor.setPosition(std::min(from, end));
  cursor.setPosition(std::min(from + length, end), QTextCursor::KeepAnchor);
  const int loadedCharset = sourceColumnCharset();
  if (charset == loadedCharset) {
    cursor.setCharFormat(columnFormat(bold));
    return;
  }
  cursor.insertText(toQString(fromQString(cursor.selectedText(), loadedCharset), charset), columnFormat(bold));
}

struct WaitCursor {
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

int scaled(int value, int multiplier, int divisor) {
  return static_cast<int>(static_cast<long long>(value) * multiplier / divisor);
}
int toDevice(int twips, int dotsPerInch) { return scaled(twips, dotsPerInch, twipsPerInch); }

// The print rectangle in the printer's pixels, measured from the corner of the paper.
QRect printRectangleOn(const QPrinter& printer) {
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
  const TwipsRect rect =
      printRectangle(scaled(paper.width(), twipsPerInch, dpiX), scaled(paper.height(), twipsPerInch, dpiY));
  const int left = toDevice(rect.left, dpiX), top = toDevice(rect.top, dpiY);
  return QRect(left, top, toDevice(rect.right, dpiX) - left, toDevice(rect.bottom, dpiY) - top);
}

// The blocks of one printed page and the height in the unpaginated layout where the page begins.
struct PageBlocks {
  QTextBlock first, end;
  qreal top = 0;
};

// Every page takes the lines that fit on it whole, and each entry's lines stay together, so that
// no text stands on two pages or lies cut off, hidden, at the edge of one. The line end of the
// last record opens an empty block that prints nothing.
std::vector<PageBlocks> paginate(QTextDocument& text, qreal pageHeight) {
  QAbstractTextDocumentLayout* layout = text.documentLayout();
  const QTextBlock last = text.lastBlock();
  const QTextBlock end = last.text().isEmpty() && last.previous().isValid() ? last : QTextBlock();
  std::vector<PageBlocks> pages;
  for (QTextBlock block = text.firstBlock(); block.isValid() && block != end; block = block.next()) {
    const QRectF rect = layout->blockBoundingRect(block);
    if (pages.empty() || (rect.bottom() > pages.back().top + pageHeight && pages.back().first != block)) {
      if (!pages.empty()) pages.back().end = block;
      pages.push_back({block, end, rect.top()});
    }
  }
  return pages;
}

void drawPage(QPainter& painter, const QRect& rect, const PageBlocks& page) {
  painter.save();
  painter.setClipRect(rect);
  painter.setPen(Qt::black);
  // A block's layout holds its place in the document; the page moves the document up.
  const QPointF origin(rect.left(), rect.top() - page.top);
  for (QTextBlock block = page.first; block.isValid() && block != page.end; block = block.next())
    block.layout()->draw(&painter, origin);
  painter.restore();
}

// Something other than a plain file lies under the print file's name.
bool printFileNameTaken() {
  struct stat st {};
  return ::lstat(hostPath(printFileName).c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

// The whole preparation with the printing window showing; null when there is nothing to print.
std::unique_ptr<QTextDocument> preparePrintText() {
  if (store.listCount <= 0 || !directions.currentDirection) return nullptr;
  auto* window = new PrintingWindow;
  window->show();
  window->waitUntilOnScreen();
  std::unique_ptr<QTextDocument> text;
  if (writePrintFile() == 0) text = loadPrintFile();
  if (text) formatPrintText(*text, window);
  delete window;
  if (!text)
    messageBox(messageBoxes.mainWindowHandle, printFileNameTaken() ? printFileTakenText : printFileFailedText,
               uiTextCopy(textPrint), MB_OK | MB_ICONWARNING);
  return text;
}

}  // namespace

TwipsRect printRectangle(int pageWidth, int pageHeight) {
  TwipsRect rect{0, 0, pageWidth, pageHeight};
  if (pageWidth > 3600) {
    rect.left = 360;
    rect.right = pageWidth - 360;
  }
  if (pageHeight > 4320) {
    rect.top = 720;
    rect.bottom = pageHeight - 720;
  }
  return rect;
}

QPrinter& currentPrintSettings() {
  if (!printingState.printSettings) {
    printingState.printSettings = new QPrinter(QPrinter::HighResolution);
    // The page fields start empty, one copy, not collated.
    printingState.printSettings->setFromTo(0, 0);
    printingState.printSettings->setCopyCount(1);
    printingState.printSettings->setCollateCopies(false);
  }
  return *printingState.printSettings;
}

void resetPrintState() {
  delete printingState.printSettings;
  printingState = {};
}

int writePrintFile() {
  const std::filesystem::path path = hostPath(printFileName);
  // A plain file left by an interrupted print goes (unlinked, so another name of it keeps its
  // text); anything else under the name is no print file of ours and stays as it is.
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || ::unlink(path.c_str()) != 0)) return -1;
  // Made new, so that no link or pipe someone placed meanwhile is written through.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    ::close(fd);
    ::unlink(path.c_str());
    return -1;
  }
  const bool written = writeHeadingAndRecords(file);
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return 0;
  ::unlink(path.c_str());
  return -1;
}

std::unique_ptr<QTextDocument> loadPrintFile() {
  const std::filesystem::path path = hostPath(printFileName);
  // Read only as a plain file: a pipe put in its place would hold the program until written to.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::string bytes;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
    if (n > 0) bytes.append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  ::unlink(path.c_str());
  if (n < 0) return nullptr;

  auto text = std::make_unique<QTextDocument>();
  QFont font(QStringLiteral("Courier New"), pointSize);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  text->setDefaultFont(font);
  text->setDocumentMargin(0);
  text->setPlainText(toQString(withPlainLineEnds(bytes), sourceColumnCharset()));
  return text;
}

void formatPrintText(QTextDocument& text, PrintingWindow* progress) {
  QTextCursor cursor(&text);
  cursor.beginEditBlock();
  const int nameLength = static_cast<int>(
      strnlen(directions.currentDirection->targetName, sizeof directions.currentDirection->targetName));
  // A line end is one position here, so the heading's two line ends take two.
  formatRange(cursor, 0, wordColumnWidth, sourceColumnCharset(), true);
  formatRange(cursor, wordColumnWidth, nameLength, targetColumnCharset(), true);
  int pos = wordColumnWidth + nameLength + 2;
  WordRecord record{};  // a record that cannot be read repeats the one before
  for (int i = 0; i < store.listCount; ++i) {
    if (i % 10 == 0 && progress) progress->showProgress(i);
    readListRecord(i, record);
    const int length = static_cast<int>(translationOf(record).size());
    formatRange(cursor, pos, wordColumnWidth, sourceColumnCharset(), false);
    formatRange(cursor, pos + wordColumnWidth, length, targetColumnCharset(), false);
    pos += wordColumnWidth + length + 1;
  }
  cursor.endEditBlock();
}

int printDocument(QTextDocument& text, QPrinter& printer) {
  WaitCursor waiting;
  const PageChoice choice{std::max(1, printer.copyCount()), printer.collateCopies(),
                          printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0, printer.fromPage(),
                          printer.toPage()};
  // The copies are made here, page by page, so the printer makes none of its own.
  printer.setCopyCount(1);
  printer.setDocName(printFileName);
  printer.setFullPage(true);
  const QRect rect = printRectangleOn(printer);
  text.documentLayout()->setPaintDevice(&printer);
  text.setTextWidth(rect.width());
  const std::vector<PageBlocks> layout = paginate(text, rect.height());
  const std::vector<int> pages = pagesToPrint(static_cast<int>(layout.size()), choice);
  // A collated print leaves one copy in the settings: each document copy was one.
  printer.setCopyCount(choice.collate ? 1 : choice.copies);
  // A page range beyond the end starts no document, so no empty sheet comes out.
  if (pages.empty()) return 0;

  QPainter painter;
  if (!painter.begin(&printer)) {
    printer.setCopyCount(choice.copies);
    messageBox(messageBoxes.mainWindowHandle, printFailedText, uiTextCopy(textPrint), MB_OK | MB_ICONWARNING);
    return -1;
  }
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer.newPage();
    drawPage(painter, rect, layout[pages[i] - 1]);
  }
  painter.end();
  return 0;
}

std::vector<int> pagesToPrint(int pageCount, const PageChoice& choice) {
  std::vector<int> pages;
  for (int documentCopy = 0; documentCopy < (choice.collate ? choice.copies : 1); ++documentCopy) {
    for (int page = 1; page <= pageCount; ++page) {
      if (!choice.pageRange || page >= choice.fromPage)
        pages.insert(pages.end(), choice.collate ? 1 : choice.copies, page);
      if (choice.pageRange && page + 1 > choice.toPage) break;
    }
  }
  return pages;
}

int printListOn(QPrinter& printer) {
  std::unique_ptr<QTextDocument> text = preparePrintText();
  return text ? printDocument(*text, printer) : -1;
}

void printList() {
  std::unique_ptr<QTextDocument> text = preparePrintText();
  if (!text) return;
  QPrinter& printer = currentPrintSettings();
  QPrintDialog dialog(&printer, static_cast<QWidget*>(messageBoxes.mainWindowHandle));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
  dialog.setMinMax(1, 65535);
  if (dialog.exec() != QDialog::Accepted) return;
  printDocument(*text, printer);
}

}  // namespace zembo
