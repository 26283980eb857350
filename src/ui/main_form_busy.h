#pragma once
// While an external program runs the window keeps repainting but takes no input: mouse, keys
// and wheel are swallowed application-wide (not queued for later), and the cursor shows busy.
#include <QObject>

namespace kestrova::ui {

class BusyScope : public QObject {
 public:
  // busy is set for the life of the scope.
  explicit BusyScope(bool& busy);
  ~BusyScope() override;

  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool& busy_;
};

}  // namespace kestrova::ui
