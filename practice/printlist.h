#pragma once
// Printing the current practice list of the current direction: a bold heading with the two
// language names, then one line per list record with the word, a dash and the translation, in
// Courier New. The list goes through the print file "list.prt" into a text document whose word
// column is decoded with the source language's code page and whose translation column with the
// target's, and from there onto the printer chosen in the print dialog.

#include <memory>
#include <vector>

class QPrinter;
class QTextDocument;

namespace zembo {

class PrintingWindow;

struct PrintState {
  // The printer with the choices of the last confirmed print dialog (printer or file, page range,
  // copies, collation), kept for the whole run and handed to every print dialog. Made at the first
  // print; a cancelled dialog leaves it as it was.
  QPrinter* printSettings = nullptr;
};
extern const PrintState& printing;
QPrinter& currentPrintSettings();
// Back to no settings at all, as at process start.
void resetPrintState();

constexpr const char* printFileName = "list.prt";

// The list editor's Print button: prepares the text with the printing window showing, then asks
// for the printer in the print dialog (owned by the main window) and prints. Nothing happens for
// an empty list.
void printList();
// The same without a dialog, on a printer the caller has set up: 0 when the document was
// printed, -1 when nothing was (an empty list, no print file, a printer that refused).
int printListOn(QPrinter& printer);

// Writes the print file, made new, from the list records; 0, or -1 when it cannot be written whole
// or something other than a plain file (a link, a folder, a pipe) has its name, which stays as it is.
int writePrintFile();
// Loads the print file into a new document in Courier New and deletes the file; null when it
// cannot be read or is no plain file (a plain file is deleted all the same).
std::unique_ptr<QTextDocument> loadPrintFile();
// Gives the heading and every record line their character formats, counting the records in the
// printing window (when there is one).
void formatPrintText(QTextDocument& text, PrintingWindow* progress);
// Prints the document with the printer's page range, copies and collation; 0, or -1 (with a
// message) when the printer cannot start the document.
int printDocument(QTextDocument& text, QPrinter& printer);

// What the print dialog chose about the pages: the number of copies, whether they are collated
// (the whole document again for each copy) or not (each page again), and the page range.
struct PageChoice {
  int copies = 1;
  bool collate = false;
  bool pageRange = false;
  int fromPage = 0, toPage = 0;
};
// The pages (from 1) of a document of pageCount pages, in the order they come out.
std::vector<int> pagesToPrint(int pageCount, const PageChoice& choice);

// The rectangle on a page, in twips, that the text is laid out in: a margin of a quarter inch
// left and right and half an inch top and bottom, each only when the page is big enough for it.
struct TwipsRect {
  int left, top, right, bottom;
};
TwipsRect printRectangle(int pageWidth, int pageHeight);

}  // namespace zembo
