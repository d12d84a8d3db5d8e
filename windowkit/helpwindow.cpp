#include "windowkit/helpwindow.h"

#include <QFileInfo>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

#include "windowkit/qttext.h"
#include "platform/hostpath.h"
#include "resources/uitextrows.h"

namespace zembo {

namespace {

QPointer<QTextBrowser> helpWindow;

QTextBrowser* openHelpWindow() {
  if (!helpWindow) {
    helpWindow = new QTextBrowser;
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
