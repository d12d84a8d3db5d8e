#include "practice/addrandomwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <string>

#include "practice/listeditor.h"
#include "practice/lists.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/qttext.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

namespace zembo {

namespace {
AddRandomState randomDrawState;  // the one mutable instance
}  // namespace
const AddRandomState& randomDraw = randomDrawState;

void setRandomDraw(int wordCount, bool replaceListFirst) {
  randomDrawState.randomWordCount = wordCount;
  randomDrawState.replaceListFirst = replaceListFirst;
}

void resetAddRandomState() { randomDrawState = {}; }

void addRandomWords() {
  if (randomDrawState.replaceListFirst) emptyListFile();
  if (store.wordCount <= 0) return;
  WordRecord record;
  for (int n = 0; n < randomDraw.randomWordCount; ++n)
    if (readWordRecord(std::rand() % store.wordCount, record) == 0) appendListRecord(record);
}

AddRandomWindow::AddRandomWindow(ListEditor* editor) : editor_(editor) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(uiQText(textAddRandomTitle));
  setOuterSize(325, 145);
  checkBox_ = new QCheckBox(uiQText(textDeleteOldList), client());
  checkBox_->setGeometry(5, 5, 300, 30);
  checkBox_->setFont(uiFonts.fontControl.font);
  checkBox_->setChecked(true);
  // The window keeps the tick itself, so that the count field keeps the focus.
  checkBox_->setFocusPolicy(Qt::NoFocus);
  connect(checkBox_, &QCheckBox::clicked, this, [this] { command(idDeleteOldList, commandClicked); });
  countField_ = new QLineEdit(client());
  countField_->setGeometry(5, 80, 90, 25);
  countField_->setFont(uiFonts.fontControl.font);
  countField_->setMaxLength(9);
  connect(countField_, &QLineEdit::returnPressed, this, [this] { command(cmdRandomOk, commandClicked); });
  // A click leaves the focus in the count field: every repaint gives it back there, and a button
  // that lost it while held down would drop the click.
  addButton(cmdRandomOk, uiTextCopy(textOk), QRect(120, 80, 80, 25))->setFocusPolicy(Qt::TabFocus);
  addButton(cmdDone, uiTextCopy(textCancel), QRect(220, 80, 80, 25))->setFocusPolicy(Qt::TabFocus);
  randomDrawState.replaceListFirst = true;
  randomDrawState.randomWordCount = 0;
  placeCentred();
  setTopmost(tools.stayOnTop);
  show();
  countField_->setFocus();
}

AddRandomWindow::~AddRandomWindow() {
  if (editor_) editor_->focusSearchField();
}

void AddRandomWindow::command(int id, int) {
  switch (id) {
    case idDeleteOldList:
      randomDrawState.replaceListFirst = checkBox_->isChecked();
      countField_->setFocus();
      return;
    case cmdRandomOk: {
      const std::string text = countField_->text().left(9).toStdString();
      randomDrawState.randomWordCount = std::atoi(text.c_str());
      if (randomDrawState.randomWordCount > store.wordCount || randomDrawState.randomWordCount <= 0) {
        countField_->clear();
        return;
      }
      addRandomWords();
      randomDrawState.randomWordCount = 0;
      editor_->showListEnd();
      close();
      return;
    }
    case cmdDone:
      randomDrawState.randomWordCount = 0;
      close();
      return;
  }
}

void AddRandomWindow::paintClient(QPainter& painter) {
  const std::string prompt = uiTextCopy(textNumberOfWords) + std::to_string(store.wordCount) + ") ?";
  drawUiText(painter, winRect(7, 43, 320, 60), prompt, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             uiFonts.fontControl, Qt::black);
  QTimer::singleShot(0, countField_, [field = countField_] { field->setFocus(); });
}

void AddRandomWindow::closeEvent(QCloseEvent* event) { event->accept(); }

}  // namespace zembo
