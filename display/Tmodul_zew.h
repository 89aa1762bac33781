#pragma once
// The calibration window "Wprowadzanie kalibracji paska": the scale-bar calibration per
// magnification range and the kV value of the bar module. Created at start with the other
// windows; its pages come with their own work.
#include <QWidget>

namespace orvix {

class Tmodul_zew : public QWidget {
  Q_OBJECT
 public:
  explicit Tmodul_zew(QWidget* parent = nullptr);
};

}  // namespace orvix
