#pragma once
// A top-level window of the program: a menu bar made from a menu resource, and below it a client
// area of fixed size in which controls stand at their pixel positions and the window paints.
// Buttons, menu items and accelerators all end in command(id, code).

#include <QAction>
#include <QMap>
#include <QWidget>

#include "platform/qt/painting.h"
#include "resources/resourcetable.h"

class QMenuBar;
class QPushButton;

namespace zembo {

struct WindowPos {
  int left = 9999;
  int top = 9999;  // 9999: never placed
};

constexpr int commandClicked = 0;      // a button or a menu item
constexpr int commandAccelerator = 1;  // a key of the accelerator table

// A key that a control hands to its window instead of acting on it itself.
enum class ControlKey { enter, up, down, space, backspace };

class ZemboWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ZemboWindow(QWidget* parent = nullptr);

  QWidget* client() const { return client_; }
  // The size the window had in the original layout, outer width w and height h plus caption and
  // menu bar: the client area is (w - 6) x (h - 6).
  void setOuterSize(int w, int h);
  // Lets a user make the window larger than its original size (never smaller); the client area
  // then lays its controls out itself.
  void allowGrowing();
  // The window's width between these client widths (a user drags its edge); its height stays.
  void allowClientWidths(int minimum, int maximum);
  void setMenuResource(const MenuResource* menu);
  QMenuBar* menuBar() const { return menuBar_; }
  QAction* menuItem(int id) const { return items_.value(id); }
  void checkMenuItem(int id, bool checked);
  bool isMenuItemChecked(int id) const;
  void enableMenuItem(int id, bool enabled);

  // A push button that sends command(id, commandClicked). The window's button of cmdDone (Done,
  // Cancel, Quit, Exit) is also its Esc key.
  QPushButton* addButton(int id, std::string_view text, const QRect& geometry);

  virtual void command(int id, int code);
  // The key that the control id handed over: the control's identifier and the key, each as what
  // it is, to the same kind of switch over identifiers as command.
  virtual void controlKey(int id, ControlKey key);

  void setTopmost(bool topmost);
  void placeCentred();
  // At the saved position when the window stays within reach there; else where it stands.
  void placeAt(const WindowPos& pos);
  WindowPos normalPosition() const;

  // The height of a window caption, which the original sizes counted in.
  static int captionHeight();

 protected:
  virtual void paintClient(QPainter&) {}
  virtual void clientMousePress(QMouseEvent*) {}
  void keyPressEvent(QKeyEvent* event) override;
  void connectMenuItem(QAction* action, int id);

 private:
  friend class ClientArea;
  QMenuBar* menuBar_ = nullptr;
  QWidget* client_;
  QMap<int, QAction*> items_;
  QPushButton* escapeButton_ = nullptr;
  int outerWidth_ = 0, outerHeight_ = 0;
};

// True when a window of this width at (left, top) keeps enough of its caption on the screen area
// for a user to take hold of it.
bool keepsCaptionOnScreen(const QRect& screen, long long left, long long top, int width, int caption);

// Puts a check mark on a menu item or takes it away.
void setMenuCheck(QAction* action, bool checked);

}  // namespace zembo
