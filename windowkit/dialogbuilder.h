#pragma once
// Dialogs made from their templates: controls at positions in dialog units, converted with the
// base units of the dialog font (a unit is 1.5 pixels wide and 1.625 pixels high), command ids on
// the controls. A push button ends the dialog with its id unless a handler is connected.

#include <QDialog>
#include <QMap>

#include "resources/resourcetable.h"

namespace zembo {

inline int dialogUnitsToPixelsX(int units) { return units * 3 / 2; }
inline int dialogUnitsToPixelsY(int units) { return units * 13 / 8; }

// Fills a dialog from a template; returns its controls by id (controls with id -1 are left out).
QMap<int, QWidget*> buildDialog(QDialog& dialog, const DialogResource& resource);

}  // namespace zembo
