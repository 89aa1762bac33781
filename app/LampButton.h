#include "Colours.h"
#pragma once
// A button of the button column, painted with the colours of its lamp panel. Its own
// palette never changes: each new palette that reaches a button is a new key of the
// style's pixmap cache, and lamps that change with every run would fill that cache run by
// run. The button paints with one shared palette per lamp colour instead, so its look is
// that of a button on its panel and the cache holds a few pictures per button.
#include <QColor>
#include <QPushButton>

namespace orvix {

class TLampButton : public QPushButton {
 public:
  using QPushButton::QPushButton;
  // The colour of the panel under the button; repaints when it changes.
  void SetLampColour(const QColor& colour);
  QColor LampColour() const { return lamp_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor lamp_ = QColor(kSilver);  // as the panels start
};

}  // namespace orvix
