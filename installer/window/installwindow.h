#pragma once
// The installer's one window: full screen, a blue gradient with the title, the target folder
// field with Start, "Verander Directory" and Stop, and the drive and folder lists. Everything the
// installation does runs inside the Start command; what it draws meanwhile goes onto a backing
// image that is shown at once with a synchronous repaint, since no events are processed then.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "installer/core/display.h"
#include "platform/messagebox.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;

namespace zembo {

class InstallWindow : public QWidget, public InstallDisplay {
  Q_OBJECT

 public:
  // Control identifiers.
  static constexpr int panelId = 249;
  static constexpr int labelId = 250;
  static constexpr int directoryFieldId = 350;
  static constexpr int startId = 200;
  static constexpr int stopId = 201;
  static constexpr int changeDirectoryId = 202;
  static constexpr int driveLabelId = 251;
  static constexpr int directoryLabelId = 252;
  static constexpr int driveListId = 300;
  static constexpr int directoryListId = 301;
  // Notification codes of the commands.
  static constexpr int clicked = 0;
  static constexpr int selectionChanged = 1;

  InstallWindow();
  ~InstallWindow() override;

  // The switch over the controls' commands.
  void command(int id, int code);
  // The Start command; false when the target folder was refused (the window stays as it was).
  bool start();

  // Draws onto the backing image; the window shows it at its next repaint.
  void drawOnCanvas(const std::function<void(QPainter&)>& draw);
  // The gradient and the title over the whole backing image.
  void repaintBackground();
  void setDirectoryText(const QString& text);
  QString directoryText() const;
  QWidget* control(int id) const;

  // What the installation shows.
  void showHeadline(const Box& box, std::string_view text) override;
  void showProgressBar(const Box& bar, int fillEdge, std::string_view text) override;
  void showStepText(const Box& box, std::string_view text) override;
  void showCounter(const Box& box, std::int64_t value) override;
  void showTargetPath(const std::filesystem::path& target) override;
  void showWaitCursor() override;
  void restoreCursor() override;
  void restoreArrowCursor() override;
  WindowHandle messageOwner() override { return this; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void showDirectoryLists();
  void enterChosenFolder(QListWidget* list, bool withDot);
  void enterFolder(const std::filesystem::path& folder, bool withDot);
  void fillDirectoryList(bool withDot);
  void enterRunningState();
  void finishScript();

  QImage canvas_;
  QFrame* panel_;
  QLabel* label_;
  QLineEdit* directoryField_;
  QPushButton* startButton_;
  QPushButton* changeButton_;
  QPushButton* stopButton_;
  QLabel* driveLabel_;
  QLabel* directoryLabel_;
  QListWidget* driveList_;
  QListWidget* directoryList_;
};

// The window while it exists, else nullptr.
extern InstallWindow* installWindow;

QFont boldFont(const char* face, int pixelSize);
// The 40-pixel bold headline font of the title and of each language.
const QFont& headlineFont();
// A single-byte installer text (Windows-1252) as the toolkit's text.
QString windowText(std::string_view bytes);

// The vertical blue gradient of the window; with fewer than 24 bits per pixel one flat blue.
void paintBackground(QPainter& painter, const QSize& size, int depth);

}  // namespace zembo
