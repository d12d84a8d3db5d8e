#include "installer/window/installwindow.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <filesystem>
#include <system_error>

#include "installer/core/languages.h"
#include "installer/core/paths.h"
#include "installer/core/script.h"
#include "installer/core/shortcut.h"
#include "platform/codepage.h"
#include "platform/hostpath.h"
#include "platform/qt/painting.h"

namespace zembo {

InstallWindow* installWindow = nullptr;

namespace {

constexpr int installerCodePage = 1252;
const QColor counterColour(0, 0, 104);

QRect toRect(const Box& box) { return winRect(box.left, box.top, box.right, box.bottom); }

// The system font of the step texts and counters.
const QFont& stepFont() {
  static const QFont font = boldFont("Arial", 13);
  return font;
}

QString hostText(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

QString windowText(std::string_view bytes) {
  const std::u16string text = toUtf16(bytes, installerCodePage);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QFont boldFont(const char* face, int pixelSize) {
  QFont font(face);
  font.setPixelSize(pixelSize);
  font.setBold(true);
  return font;
}

const QFont& headlineFont() {
  static const QFont font = boldFont("Times New Roman", 40);
  return font;
}

void paintBackground(QPainter& painter, const QSize& size, int depth) {
  const int height = size.height();
  for (int y = 0; y < height; ++y) {
    const int pen = depth < 24 ? 32 : y * 63 / height;
    painter.setPen(QColor(0, 0, 200 - 3 * pen));
    painter.drawLine(0, y, size.width(), y);
  }
}

InstallWindow::InstallWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName("Install");
  setAttribute(Qt::WA_OpaquePaintEvent);
  panel_ = new QFrame(this);
  panel_->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel_->setAutoFillBackground(true);
  panel_->setGeometry(110, 138, 440, 110);
  label_ = new QLabel(windowText("Installeer in Directory :"), this);
  label_->setGeometry(120, 148, 420, 22);
  directoryField_ = new QLineEdit(hostText(localDirectory(toUtf8(script.defaultDir, installerCodePage))), this);
  directoryField_->setGeometry(120, 170, 420, 25);
  directoryField_->setMaxLength(259);
  startButton_ = new QPushButton("Start", this);
  startButton_->setGeometry(120, 205, 100, 30);
  changeButton_ = new QPushButton("Verander Directory", this);
  changeButton_->setGeometry(230, 205, 200, 30);
  stopButton_ = new QPushButton("Stop", this);
  stopButton_->setGeometry(440, 205, 100, 30);
  driveLabel_ = new QLabel("Drive :", this);
  driveLabel_->setGeometry(120, 260, 150, 20);
  directoryLabel_ = new QLabel("Directory :", this);
  directoryLabel_->setGeometry(280, 260, 260, 20);
  driveList_ = new QListWidget(this);
  driveList_->setGeometry(120, 280, 150, 100);
  directoryList_ = new QListWidget(this);
  directoryList_->setGeometry(280, 280, 260, 180);
  for (QListWidget* list : {driveList_, directoryList_}) list->setSortingEnabled(true);
  for (QWidget* hidden : std::initializer_list<QWidget*>{driveLabel_, directoryLabel_, driveList_, directoryList_})
    hidden->hide();

  connect(startButton_, &QPushButton::clicked, this, [this] { command(startId, clicked); });
  connect(directoryField_, &QLineEdit::returnPressed, this, [this] { command(startId, clicked); });
  connect(changeButton_, &QPushButton::clicked, this, [this] { command(changeDirectoryId, clicked); });
  connect(stopButton_, &QPushButton::clicked, this, [this] { command(stopId, clicked); });
  connect(driveList_, &QListWidget::itemSelectionChanged, this, [this] { command(driveListId, selectionChanged); });
  connect(directoryList_, &QListWidget::itemSelectionChanged, this,
          [this] { command(directoryListId, selectionChanged); });

  const QScreen* screen = QGuiApplication::primaryScreen();
  setGeometry(screen ? screen->geometry() : QRect(0, 0, 800, 600));
  installWindow = this;
  setInstallDisplay(this);
}

InstallWindow::~InstallWindow() {
  if (installWindow == this) installWindow = nullptr;
  if (displays.installDisplay == this) setInstallDisplay(nullptr);
}

QWidget* InstallWindow::control(int id) const {
  switch (id) {
    case panelId:
      return panel_;
    case labelId:
      return label_;
    case directoryFieldId:
      return directoryField_;
    case startId:
      return startButton_;
    case stopId:
      return stopButton_;
    case changeDirectoryId:
      return changeButton_;
    case driveLabelId:
      return driveLabel_;
    case directoryLabelId:
      return directoryLabel_;
    case driveListId:
      return driveList_;
    case directoryListId:
      return directoryList_;
    default:
      return nullptr;
  }
}

void InstallWindow::command(int id, int code) {
  switch (id) {
    case startId:
      start();
      break;
    case changeDirectoryId:
      showDirectoryLists();
      break;
    case stopId:
      hide();
      QCoreApplication::exit(0);
      break;
    case driveListId:
      if (code == selectionChanged) enterChosenFolder(driveList_, true);
      break;
    case directoryListId:
      if (code == selectionChanged) enterChosenFolder(directoryList_, false);
      break;
    default:
      break;
  }
}

void InstallWindow::resizeEvent(QResizeEvent*) {
  canvas_ = QImage(size(), QImage::Format_RGB32);
  repaintBackground();
}

void InstallWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_);
}

void InstallWindow::drawOnCanvas(const std::function<void(QPainter&)>& draw) {
  if (canvas_.isNull()) return;
  QPainter painter(&canvas_);
  draw(painter);
}

void InstallWindow::repaintBackground() {
  drawOnCanvas([this](QPainter& painter) {
    const QScreen* shown = screen();
    paintBackground(painter, canvas_.size(), shown ? shown->depth() : 32);
    drawRaisedText(painter, winRect(30, 20, 480, 90), windowText(script.installTitle), headlineFont());
  });
  repaint();
}

void InstallWindow::setDirectoryText(const QString& text) { directoryField_->setText(text); }

QString InstallWindow::directoryText() const { return directoryField_->text(); }

void InstallWindow::showDirectoryLists() {
  changeButton_->setEnabled(false);
  panel_->resize(440, 320);
  for (QWidget* shown : std::initializer_list<QWidget*>{driveLabel_, directoryLabel_, driveList_, directoryList_})
    shown->show();
  // The "drives" here are the mounted volumes and the home folder.
  driveList_->blockSignals(true);
  driveList_->clear();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) driveList_->addItem(volume.rootPath());
  const QString home = hostText(homeDirectory());
  if (driveList_->findItems(home, Qt::MatchExactly).isEmpty()) driveList_->addItem(home);
  driveList_->blockSignals(false);
  enterFolder(homeDirectory(), true);
}

// Makes the folder chosen in a list the current one and shows it.
void InstallWindow::enterChosenFolder(QListWidget* list, bool withDot) {
  const QList<QListWidgetItem*> chosen = list->selectedItems();
  if (!chosen.isEmpty()) enterFolder(chosen.front()->text().toStdString(), withDot);
}

void InstallWindow::enterFolder(const std::filesystem::path& folder, bool withDot) {
  std::error_code ignored;
  std::filesystem::current_path(folder, ignored);
  fillDirectoryList(withDot);
  directoryField_->setText(hostText(std::filesystem::current_path(ignored)));
}

// The folders of the current folder that are not hidden; ".." to go up, "." only at first.
void InstallWindow::fillDirectoryList(bool withDot) {
  directoryList_->blockSignals(true);
  directoryList_->clear();
  // The host's own names, whatever characters they hold.
  if (withDot) directoryList_->addItem(".");
  directoryList_->addItem("..");
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
    const std::string name = entry.path().filename().string();
    if (name[0] != '.' && entry.is_directory(error)) directoryList_->addItem(QString::fromStdString(name));
  }
  directoryList_->blockSignals(false);
}

void InstallWindow::enterRunningState() {
  panel_->resize(440, 110);
  for (QWidget* hidden : std::initializer_list<QWidget*>{driveList_, directoryList_, driveLabel_, directoryLabel_,
                                                         startButton_, changeButton_})
    hidden->hide();
  label_->setText(windowText("Kopi\xEBren bestanden..."));
  repaintBackground();
}

void InstallWindow::finishScript() {
  for (QWidget* hidden : std::initializer_list<QWidget*>{stopButton_, label_, panel_, directoryField_}) hidden->hide();
  enterInstallDir();
  repaintBackground();
}

bool InstallWindow::start() {
  if (!checkInstallDir(directoryField_->text().toStdString())) return false;
  enterRunningState();
  runScript();
  finishScript();
  if (script.makeWordLists == 1) registerLanguages();
  if (countLanguageLines() > 1) sortLanguageLines();
  if (script.makeShortcut == 1) createShortcut();
  hide();
  QCoreApplication::exit(0);
  return true;
}

void InstallWindow::showHeadline(const Box& box, std::string_view text) {
  drawOnCanvas([&](QPainter& painter) { drawRaisedText(painter, toRect(box), windowText(text), headlineFont()); });
}

void InstallWindow::showProgressBar(const Box& box, int fillEdge, std::string_view text) {
  drawOnCanvas([&](QPainter& painter) {
    const QRect bar = toRect(box);
    painter.setPen(Qt::white);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    const QRect inside = bar.adjusted(1, 1, -1, -1);
    painter.fillRect(inside, QColor(0, 0, 128));
    if (fillEdge > 0)
      painter.fillRect(winRect(inside.left(), inside.top(), fillEdge, inside.bottom() + 1), QColor(0, 128, 0));
    painter.setFont(stepFont());
    painter.drawText(bar, Qt::AlignCenter, windowText(text));
  });
  repaint();
}

void InstallWindow::showStepText(const Box& box, std::string_view text) {
  drawOnCanvas([&](QPainter& painter) {
    painter.setFont(stepFont());
    painter.setPen(Qt::white);
    painter.drawText(toRect(box), Qt::AlignLeft | Qt::AlignTop, windowText(text));
  });
  repaint();
}

void InstallWindow::showCounter(const Box& box, std::int64_t value) {
  const QRect area = toRect(box);
  drawOnCanvas([&](QPainter& painter) {
    painter.fillRect(area, counterColour);
    painter.setFont(stepFont());
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, QString::number(value));
  });
  repaint(area);
}

void InstallWindow::showTargetPath(const std::filesystem::path& target) {
  setDirectoryText(hostText(target));
  repaintBackground();
}

void InstallWindow::showWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void InstallWindow::restoreCursor() { QApplication::restoreOverrideCursor(); }

void InstallWindow::restoreArrowCursor() {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

}  // namespace zembo
