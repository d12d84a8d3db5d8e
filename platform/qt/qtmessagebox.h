#pragma once

namespace zembo {

// Makes messageBox show QMessageBox dialogs; the owner handle is a QWidget* or nullptr.
void installQtMessageBoxes();

}  // namespace zembo
