#pragma once
// The dialog that asks for the name of a new practice list. An accepted name becomes
// practiceListName and gets its folder; the caller compares the name with the one before to learn
// whether a list was named.

class QWidget;

namespace zembo {

void listNameDialog(QWidget* owner);

}  // namespace zembo
