#include "windowkit/dialogbuilder.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {

namespace {

QRect pixels(const DialogControl& c) {
  return QRect(dialogUnitsToPixelsX(c.x), dialogUnitsToPixelsY(c.y), dialogUnitsToPixelsX(c.width),
               dialogUnitsToPixelsY(c.height));
}

QWidget* makeControl(QDialog& dialog, const DialogControl& c) {
  switch (c.kind) {
    case ControlKind::DefaultButton:
    case ControlKind::Button: {
      auto* button = new QPushButton(uiQString(c.text), &dialog);
      button->setDefault(c.kind == ControlKind::DefaultButton);
      button->setAutoDefault(c.kind == ControlKind::DefaultButton);
      const int id = c.id;
      QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, id] { dialog.done(id); });
      return button;
    }
    case ControlKind::Edit:
      return new QLineEdit(&dialog);
    case ControlKind::GroupBox:
      return new QGroupBox(uiQString(c.text), &dialog);
    case ControlKind::BlackFrame: {
      auto* frame = new QFrame(&dialog);
      frame->setFrameStyle(QFrame::Box | QFrame::Plain);
      frame->setStyleSheet("color: black");
      return frame;
    }
    case ControlKind::Text:
      return new QLabel(uiQString(c.text), &dialog);
    case ControlKind::ListBox:
      return new QListWidget(&dialog);
  }
  return nullptr;
}

}  // namespace

QMap<int, QWidget*> buildDialog(QDialog& dialog, const DialogResource& resource) {
  QMap<int, QWidget*> controls;
  dialog.setWindowTitle(uiQString(resource.title));
  dialog.setFixedSize(dialogUnitsToPixelsX(resource.width), dialogUnitsToPixelsY(resource.height));
  dialog.setFont(uiFonts.fontControl.font);
  for (const DialogControl& c : resource.controls) {
    QWidget* control = makeControl(dialog, c);
    control->setGeometry(pixels(c));
    control->setFont(uiFonts.fontControl.font);
    if (c.id != -1) controls.insert(c.id, control);
  }
  return controls;
}

}  // namespace zembo
