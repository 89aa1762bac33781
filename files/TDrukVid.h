#pragma once
// The print window "Drukowanie". Created at start with the other windows; the page
// layout and the printer come with its own work.
#include <QWidget>

namespace orvix {

class TDrukVid : public QWidget {
  Q_OBJECT
 public:
  explicit TDrukVid(QWidget* parent = nullptr);
};

}  // namespace orvix
