#pragma once
// The article pane of a look-up window: beside its rows, right of the controls that stand where
// they always stood, the whole entry of the row's word as the current language's articles give it.
// A language without articles shows no pane and no pane menu: the window is as it was. With them,
// the window grows wider by the pane, whose width a user changes by dragging the window's edge.

#include <QObject>
#include <QString>

#include "formats/wordrecord.h"
#include "lookup/articleview.h"

class QTextBrowser;

namespace zembo {

class ZemboWindow;

// The words an article page uses, in the edition's language: the names of the grammar tags and
// the headings of synonyms, references and notes.
ArticleWords editionArticleWords();

class ArticlePane : public QObject {
 public:
  // The window's size without the pane, as setOuterSize takes it.
  ArticlePane(ZemboWindow* window, int outerWidth, int outerHeight);

  QTextBrowser* browser() const { return browser_; }
  // Whether the pane is in sight: the language has articles and a user has not hidden it.
  bool inSight() const;
  // The page of a record, or of none; shown at once when the pane is in sight, else when it comes.
  void showRecord(const WordRecord* record);
  // The same for the record at index of the current word file (none past its end).
  void showIndex(int index);
  // The menu's Show and Hide.
  void command(int id);
  // After the direction changed: the articles of its language, the pane shown or hidden with them.
  void followDirection();
  // As the window opens: the current language's articles opened afresh.
  void openArticles();
  // How often a page was set: a record whose page is the one shown sets none.
  int pagesSet() const { return pagesSet_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layOut();
  void setPage();

  ZemboWindow* window_;
  int outerWidth_, outerHeight_;
  QTextBrowser* browser_;
  ArticleWords words_;
  std::string noArticle_;  // the page of a word without articles
  bool hasRecord_ = false;
  WordRecord record_{};
  std::string shownPage_;
  bool pageStale_ = true;
  int pagesSet_ = 0;
};

}  // namespace zembo
