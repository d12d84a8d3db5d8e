#include "windowkit/zembowindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "resources/commands.h"
#include "windowkit/commandbutton.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {

class ClientArea : public QWidget {
 public:
  explicit ClientArea(ZemboWindow* owner) : QWidget(owner), owner_(owner) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));  // the light grey of the window classes
    setPalette(p);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    owner_->paintClient(painter);
  }
  void mousePressEvent(QMouseEvent* event) override {
    // A press that a control passed on (a right click on a button) is not one on the background.
    if (!childAt(event->position().toPoint())) owner_->clientMousePress(event);
  }

 private:
  ZemboWindow* owner_;
};

ZemboWindow::ZemboWindow(QWidget* parent) : QWidget(parent), client_(new ClientArea(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(client_);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowIcon(QIcon(":/images/zemboicon.ico"));
}

void ZemboWindow::setOuterSize(int w, int h) {
  outerWidth_ = w;
  outerHeight_ = h;
  client_->setFixedSize(w - 6, h - 6);
  setFixedSize(w - 6, h - 6 + (menuBar_ ? menuBar_->sizeHint().height() : 0));
}

void ZemboWindow::allowGrowing() {
  const QSize client = client_->size(), window = size();
  client_->setMinimumSize(client);
  client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setMinimumSize(window);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
}

void ZemboWindow::allowClientWidths(int minimum, int maximum) {
  const int frame = width() - client_->width();
  client_->setMinimumWidth(minimum);
  client_->setMaximumWidth(maximum);
  setMinimumWidth(minimum + frame);
  setMaximumWidth(maximum >= QWIDGETSIZE_MAX - frame ? QWIDGETSIZE_MAX : maximum + frame);
}

void setMenuCheck(QAction* action, bool checked) {
  // Only a checked item is checkable, so that unchecked ones show no empty box.
  action->setCheckable(checked);
  action->setChecked(checked);
}

void ZemboWindow::connectMenuItem(QAction* action, int id) {
  items_.insert(id, action);
  connect(action, &QAction::triggered, this, [this, action, id] {
    // Check marks belong to the program: a click does not toggle them.
    if (action->isCheckable()) action->setChecked(true);
    command(id, commandClicked);
  });
}

void ZemboWindow::setMenuResource(const MenuResource* menu) {
  if (!menuBar_) {
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar_);
  }
  menuBar_->clear();
  items_.clear();
  if (!menu) return;
  for (const Popup& popup : menu->popups) {
    QMenu* m = menuBar_->addMenu(uiQString(popup.text));
    for (const MenuItem& item : popup.items) {
      if (item.id == 0) {
        m->addSeparator();
        continue;
      }
      connectMenuItem(m->addAction(uiQString(item.text)), item.id);
    }
  }
  if (outerWidth_) setOuterSize(outerWidth_, outerHeight_);
}

void ZemboWindow::checkMenuItem(int id, bool checked) {
  if (QAction* a = items_.value(id)) setMenuCheck(a, checked);
}

bool ZemboWindow::isMenuItemChecked(int id) const {
  const QAction* a = items_.value(id);
  return a && a->isChecked();
}

void ZemboWindow::enableMenuItem(int id, bool enabled) {
  if (QAction* a = items_.value(id)) a->setEnabled(enabled);
}

QPushButton* ZemboWindow::addButton(int id, std::string_view text, const QRect& geometry) {
  auto* button = new CommandButton(uiQString(text), client_);
  button->setFont(uiFonts.fontControl.font);
  button->setGeometry(geometry);
  connect(button, &QPushButton::clicked, this, [this, id] { command(id, commandClicked); });
  if (id == cmdDone) escapeButton_ = button;
  return button;
}

void ZemboWindow::keyPressEvent(QKeyEvent* event) {
  // A key that no field took: Esc leaves the window as its Done or Cancel button does.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && escapeButton_ &&
      escapeButton_->isEnabled()) {
    command(cmdDone, commandClicked);
    return;
  }
  QWidget::keyPressEvent(event);
}

void ZemboWindow::command(int, int) {}

void ZemboWindow::controlKey(int, ControlKey) {}

void ZemboWindow::setTopmost(bool topmost) {
  if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == topmost) return;
  const bool visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (visible) show();  // changing the flags hides a window
}

int ZemboWindow::captionHeight() { return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight); }

void ZemboWindow::placeCentred() {
  const QRect screen = QApplication::primaryScreen()->geometry();
  const int outerHeight = outerHeight_ + captionHeight() + (menuBar_ ? menuBar_->sizeHint().height() : 0);
  move((screen.width() - outerWidth_) / 2, (screen.height() - outerHeight) / 2);
}

bool keepsCaptionOnScreen(const QRect& screen, long long left, long long top, int width, int caption) {
  // Enough of the caption to take hold of it with the pointer, wide numbers for absurd positions.
  const long long grip = std::min(width, 100);
  const long long visible =
      std::min<long long>(left + width, screen.right() + 1LL) - std::max<long long>(left, screen.left());
  return top >= screen.top() && top + caption <= screen.bottom() + 1LL && visible >= grip;
}

void ZemboWindow::placeAt(const WindowPos& pos) {
  if (pos.top == 9999) return;
  // A position saved on a screen that is gone (or written by hand) would leave the window out of
  // reach: it stays centred then.
  for (const QScreen* screen : QGuiApplication::screens())
    if (keepsCaptionOnScreen(screen->availableGeometry(), pos.left, pos.top, width(), captionHeight())) {
      move(pos.left, pos.top);
      return;
    }
}

WindowPos ZemboWindow::normalPosition() const { return {pos().x(), pos().y()}; }

}  // namespace zembo
