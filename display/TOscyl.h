#pragma once
// The linescan window "     Linescan": the signal profile of one picture line. It is
// created at start with the other windows; its trace and controls come with its own work.
#include <QWidget>

namespace orvix {

class TOscyl : public QWidget {
  Q_OBJECT
 public:
  explicit TOscyl(QWidget* parent = nullptr);
};

}  // namespace orvix
