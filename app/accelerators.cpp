#include "app/accelerators.h"

#include <QApplication>
#include <QKeyEvent>

#include "windowkit/zembowindow.h"

namespace zembo {

AcceleratorFilter::AcceleratorFilter(const AcceleratorTable* table, ZemboWindow* target)
    : QObject(target), table_(table), target_(target) {}

int AcceleratorFilter::commandOf(const QKeyEvent& key) const {
  if (!table_) return 0;
  const Qt::KeyboardModifiers mods =
      key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  for (const Accelerator& a : table_->entries) {
    switch (a.kind) {
      case AcceleratorKind::AltKey:
        if (mods == Qt::AltModifier && key.key() == Qt::Key_A + (a.key - 'A')) return a.command;
        break;
      case AcceleratorKind::ControlChar:
        // The control character comes with or without Shift, as typing it does.
        if ((mods & ~Qt::ShiftModifier) == Qt::ControlModifier && key.key() == Qt::Key_A + (a.key - 'A'))
          return a.command;
        break;
      case AcceleratorKind::VirtualKey:
        if (mods == Qt::NoModifier && a.key == VK_F1 && key.key() == Qt::Key_F1) return a.command;
        break;
    }
  }
  return 0;
}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
  // A modal dialog or message box runs without the program's accelerators.
  if (QApplication::activeModalWidget()) return false;
  const int command = commandOf(*static_cast<QKeyEvent*>(event));
  if (!command) return false;
  if (type == QEvent::ShortcutOverride) {
    // Keep menus and fields from taking the key as a shortcut of their own.
    event->accept();
    return true;
  }
  target_->command(command, commandAccelerator);
  return true;
}

}  // namespace zembo
