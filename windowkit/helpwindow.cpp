#include "windowkit/helpwindow.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

#include "platform/hostpath.h"
#include "resources/uitextrows.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {

// The help closes on Esc, as the program's other windows do.
class HelpBrowser : public QTextBrowser {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
      close();
    else
      QTextBrowser::keyPressEvent(event);
  }
};

QPointer<QTextBrowser> helpWindow;

QTextBrowser* openHelpWindow() {
  if (!helpWindow) {
    helpWindow = new HelpBrowser;
    helpWindow->setAttribute(Qt::WA_DeleteOnClose);
    helpWindow->setOpenExternalLinks(true);
    helpWindow->setWindowIcon(QIcon(":/images/zemboicon.ico"));
    helpWindow->resize(640, 560);
  }
  helpWindow->setWindowTitle(uiQText(textProgramName) + " - " + uiQText(textHelp));
  return helpWindow;
}

}  // namespace

void showHelp(const std::string& fileName, const std::string& keyword) {
  QTextBrowser* browser = openHelpWindow();
  browser->show();
  const QFileInfo file(QString::fromStdString(hostPath(fileName).string()));
  if (file.isFile()) {
    browser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()), QTextDocument::HtmlResource);
    if (keyword.empty())
      browser->verticalScrollBar()->setValue(0);
    else
      browser->scrollToAnchor(uiQString(keyword));
  } else {
    browser->setHtml("<h3>" + uiQString(fileName).toHtmlEscaped() + "</h3><p>The help file cannot be found in " +
                     file.absolutePath().toHtmlEscaped() + ".</p>");
  }
  browser->raise();
  browser->activateWindow();
}

}  // namespace zembo
