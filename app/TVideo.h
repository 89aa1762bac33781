#pragma once
// The station's main window: picture on the left, button column on the right.
#include <QWidget>

namespace orvix {

class TVideo : public QWidget {
  Q_OBJECT
 public:
  explicit TVideo(QWidget* parent = nullptr);
};

}  // namespace orvix
