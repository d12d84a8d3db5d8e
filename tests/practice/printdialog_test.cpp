#include <QApplication>
#include <QPrintDialog>
#include <QTimer>

#include "platform/messagebox.h"
#include "practice/printlist.h"
#include "tests/practice/printfixture.h"
#include "tests/support/dialogguard.h"

namespace zembo {
namespace {

class PrintDialogTest : public test::PrintTest {
 protected:
  // Runs printList and answers the print dialog as soon as it shows; whether one showed.
  bool printAnswering(bool accept) {
    bool shown = false;
    test::whenShown<QPrintDialog>([&](QPrintDialog* dialog) {
      shown = true;
      saveGrab(dialog, "print-dialog");
      if (accept)
        dialog->accept();
      else
        dialog->reject();
    });
    // The Print button is pressed while the application's event loop runs, as in the program.
    QTimer::singleShot(0, [] {
      printList();
      QCoreApplication::exit(0);
    });
    QApplication::exec();
    return shown;
  }
};

TEST_F(PrintDialogTest, ACancelledDialogPrintsNothingAndKeepsTheSettings) {
  startWithList({{"chat", "cat"}});
  const auto pdf = dir / "cancelled.pdf";
  QPrinter& settings = currentPrintSettings();
  settings.setOutputFormat(QPrinter::PdfFormat);
  settings.setOutputFileName(QString::fromStdString(pdf.string()));
  settings.setCopyCount(2);
  ASSERT_TRUE(printAnswering(false));
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_FALSE(std::filesystem::exists("list.prt"));
  EXPECT_EQ(printing.printSettings->copyCount(), 2);
  EXPECT_EQ(printing.printSettings->outputFileName().toStdString(), pdf.string());
}

TEST_F(PrintDialogTest, AConfirmedDialogPrintsOnTheChosenPrinterAndTheChoiceStays) {
  SKIP_WITHOUT_PDF_TOOLS();
  startWithList({{"chat", "cat"}});
  const auto pdf = dir / "printed.pdf";
  QPrinter& settings = currentPrintSettings();
  settings.setOutputFormat(QPrinter::PdfFormat);
  settings.setOutputFileName(QString::fromStdString(pdf.string()));
  ASSERT_TRUE(printAnswering(true));
  ASSERT_EQ(pageCount(pdf), 1);
  EXPECT_NE(pageText(pdf, 1).find("chat"), std::string::npos);
  EXPECT_EQ(printing.printSettings->outputFileName().toStdString(), pdf.string());
  EXPECT_TRUE(recordedMessageBoxes().empty());

  // The next print starts from the same choice.
  std::filesystem::remove(pdf);
  ASSERT_TRUE(printAnswering(true));
  EXPECT_EQ(pageCount(pdf), 1);
}

}  // namespace
}  // namespace zembo
