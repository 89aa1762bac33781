#pragma once
#include <QTimer>
#include <string>
#include <utility>

#include "acquisition/AcquisitionUi.h"
#include "app/TVideo.h"
#include "settings/TNastVid.h"

namespace orvix {

// The acquisition thread's requests, queued to the UI thread. Nothing here waits: the
// thread goes on at once, and a request whose window is gone is dropped by Qt.
class TVideoThreadUi final : public AcquisitionUi {
 public:
  explicit TVideoThreadUi(TVideo* v) : v_(v) {}
  void SetRecordIndicator(const std::string& text) override {
    Post([v = v_, text] { v->SetRecordIndicator(text); });
  }
  void EnableTimer1() override { Post([v = v_] { v->Timer1->start(); }); }
  void EnableTimer3() override { Post([v = v_] { v->Timer3->start(); }); }
  void EnableTimer4() override { Post([v = v_] { v->Timer4->start(); }); }
  void CheckLinesRadio(int index) override {
    Post([v = v_, index] {
      if (v->NastVid) v->NastVid->CheckLinesRadio(index);
    });
  }
  void CheckTimeRadio(int index) override {
    Post([v = v_, index] {
      if (v->NastVid) v->NastVid->CheckTimeRadio(index);
    });
  }
  void UpdateButtons() override { Post([v = v_] { v->AcquisitionEnded(); }); }

 private:
  template <typename F>
  void Post(F&& f) {
    QMetaObject::invokeMethod(v_, std::forward<F>(f), Qt::QueuedConnection);
  }
  TVideo* v_;
};

}  // namespace orvix
