#include "lookup/articlepane.h"

#include <QEvent>
#include <QMenuBar>
#include <QTextBrowser>

#include "lookup/articles.h"
#include "resources/commands.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"
#include "windowkit/zembowindow.h"

namespace zembo {

namespace {

// Right of the rows, the Done button and the note under them.
constexpr int paneLeft = 618;
constexpr int paneMargin = 8;

std::string uiTextUtf8(int n) { return uiQText(n).toStdString(); }

}  // namespace

ArticleWords editionArticleWords() {
  ArticleWords words;
  words.grammar = splitGrammarNames(uiTextUtf8(textGrammarNames));
  words.synonyms = uiTextUtf8(textSynonyms);
  words.seeAlso = uiTextUtf8(textSeeAlso);
  words.note = uiTextUtf8(textNote);
  return words;
}

ArticlePane::ArticlePane(ZemboWindow* window, int outerWidth, int outerHeight)
    : QObject(window), window_(window), outerWidth_(outerWidth), outerHeight_(outerHeight) {
  browser_ = new QTextBrowser(window->client());
  browser_->setOpenLinks(false);
  browser_->setFocusPolicy(Qt::ClickFocus);
  browser_->hide();
  words_ = editionArticleWords();
  noArticle_ = "<p style=\"color:#6a6a6a\"><i>" + escapeHtml(uiTextUtf8(textNoArticle)) + "</i></p>";
  window->client()->installEventFilter(this);
}

bool ArticlePane::inSight() const { return (articles.reader || !articles.openError.empty()) && tools.articlePaneOn; }

void ArticlePane::followDirection() {
  followCurrentDirectionArticles();
  words_.language = articles.language;
  pageStale_ = true;
  layOut();
}

void ArticlePane::openArticles() {
  openCurrentDirectionArticles();
  followDirection();
}

void ArticlePane::command(int id) {
  setArticlePane(id == cmdArticlePaneOn, tools.articlePaneWidth);
  layOut();
}

void ArticlePane::showRecord(const WordRecord* record) {
  hasRecord_ = record != nullptr;
  if (record) record_ = *record;
  pageStale_ = true;
  if (inSight()) setPage();
}

void ArticlePane::showIndex(int index) {
  WordRecord record;
  showRecord(readWordRecord(index, record) == 0 ? &record : nullptr);
}

void ArticlePane::setPage() {
  pageStale_ = false;
  std::string page = hasRecord_ ? articlePageOf(record_, words_) : std::string();
  // A word a user added, or one the dictionary gives only as a translation, has none.
  if (hasRecord_ && page.empty()) page = noArticle_;
  // Up and Down past words without articles, and rows refilled with the same top, set nothing.
  if (page == shownPage_ && pagesSet_ > 0) return;
  shownPage_ = page;
  ++pagesSet_;
  browser_->setHtml(QString::fromStdString(page));
}

void ArticlePane::layOut() {
  const bool available = articles.reader || !articles.openError.empty();
  // The pane's menu only where there is a pane to show.
  if (QMenuBar* bar = window_->menuBar())
    for (QAction* popup : bar->actions())
      if (popup->menu() && popup->menu()->actions().contains(window_->menuItem(cmdArticlePaneOn)))
        popup->setVisible(available);
  window_->checkMenuItem(cmdArticlePaneOn, tools.articlePaneOn);
  window_->checkMenuItem(cmdArticlePaneOff, !tools.articlePaneOn);
  if (!inSight()) {
    browser_->hide();
    window_->setOuterSize(outerWidth_, outerHeight_);
    return;
  }
  window_->setOuterSize(outerWidth_ + tools.articlePaneWidth, outerHeight_);
  window_->allowClientWidths(outerWidth_ - 6 + minimumArticlePaneWidth, QWIDGETSIZE_MAX);
  browser_->show();
  if (pageStale_) setPage();
  // The geometry follows from the client's resize event.
  browser_->setGeometry(paneLeft, paneMargin, window_->client()->width() - paneLeft - paneMargin,
                        window_->client()->height() - 2 * paneMargin);
}

bool ArticlePane::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == window_->client() && browser_->isVisible()) {
    const int width = window_->client()->width();
    browser_->setGeometry(paneLeft, paneMargin, width - paneLeft - paneMargin,
                          window_->client()->height() - 2 * paneMargin);
    setArticlePane(tools.articlePaneOn, width - (outerWidth_ - 6));
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zembo
