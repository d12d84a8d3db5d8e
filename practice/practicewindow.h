#pragma once
// The practice window (class "leren"): drills the current list as timed flash cards. Each entry
// comes once, in a random order: its word alone for one period, then its translation below it
// for another. A slider sets the period, any key or click skips the rest of it, and a progress
// bar counts the entries whose translation was shown.

#include <QTimer>
#include <vector>

#include "formats/wordrecord.h"
#include "windowkit/toolwindow.h"
#include "windowkit/uifont.h"

class QFrame;
class QProgressBar;
class QPushButton;
class QSlider;

namespace zembo {

struct DrillState {
  std::vector<int> drillOrder;  // list indices not yet drawn, in the first drillRemaining places
  int drillRemaining = 0;
  int drillShown = 0;
  int drillPhase = 0;   // 0: the next tick shows a new word; 1: the current word's translation
  int drillPeriod = 0;  // the timer's period in milliseconds; 0 after the drill ended
  int drillSpeed = 6;   // the slider position last acted on
};
extern const DrillState& drill;
// No drill, at the middle speed, as at process start.
void resetDrillState();

// The period of a slider position: 10 seconds at 1 (slow) down to half a second at 11 (fast).
int periodOfSpeed(int speed);
// Reads a list entry not yet drawn in this drill into record (left as it was when none is left
// or it cannot be read).
void pickNextRecord(WordRecord& record);

class PracticeWindow : public ToolWindow {
  Q_OBJECT
 public:
  PracticeWindow();
  ~PracticeWindow() override;

  // One tick of the drill timer; tests call it to step the drill without waiting.
  void drillTick();
  const QTimer& drillTimer() const { return timer_; }
  QProgressBar* progressBar() const { return progress_; }
  QSlider* slider() const { return slider_; }
  QPushButton* quitButton() const { return quit_; }
  int layoutLeft() const { return layoutLeft_; }
  int layoutTop() const { return layoutTop_; }
  // What the boxes show now (empty when nothing).
  const std::string& shownWord() const { return word_; }
  const std::string& shownTranslation() const { return translation_; }
  QRect fastLabelRect() const;

  void command(int id, int code) override;

 protected:
  void paintClient(QPainter& painter) override;
  void clientMousePress(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void startTimer(int period);
  void hurry();
  void layOut();
  void showNextWord();
  void showTranslation();
  void endDrill();

  UiFont wordFont_, translationFont_;
  QTimer timer_;
  QFrame* wordBox_;
  QFrame* translationBox_;
  QFrame* frame_;
  QProgressBar* progress_;
  QSlider* slider_;
  QPushButton* quit_;
  int layoutLeft_ = 15, layoutTop_ = 10;
  WordRecord drawn_{};  // the list entry drawn last
  std::string word_, translation_;
};

}  // namespace zembo
