#pragma once
// The accelerator table of the UI language, translated for the main window whatever window of the
// program has the focus: an application-wide filter sees every key press first.

#include <QObject>

#include "resources/resourcetable.h"

class QKeyEvent;

namespace zembo {

class ZemboWindow;

class AcceleratorFilter : public QObject {
 public:
  AcceleratorFilter(const AcceleratorTable* table, ZemboWindow* target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int commandOf(const QKeyEvent& key) const;
  const AcceleratorTable* table_;
  ZemboWindow* target_;
};

}  // namespace zembo
