#pragma once
// The request queue of one acquisition run. The thread puts each request into a
// mutex-guarded queue and, when the queue was empty, wakes the main window, which drains
// it on the UI thread. Nothing here waits on the UI: the thread goes on at once. The queue
// belongs to its run: START and shutdown drop it with the joined thread, so nothing a run
// asked for acts in the next one.
#include <QTimer>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

#include "AcquisitionUi.h"
#include "TVideo.h"
#include "UiWake.h"

namespace orvix {

class TVideoThreadUi final : public AcquisitionUi {
 public:
  TVideoThreadUi(TVideo* v, UiWake& wake) : v_(v), wake_(wake) { ++live_; }
  ~TVideoThreadUi() override { --live_; }

  void SetRecordIndicator(const std::string& text) override {
    Post([v = v_, text] { v->SetRecordIndicator(text); });
  }
  void EnableTimer1() override { Post([v = v_] { v->Timer1->start(); }); }
  void EnableTimer3() override { Post([v = v_] { v->Timer3->start(); }); }
  void EnableTimer4() override { Post([v = v_] { v->Timer4->start(); }); }
  void CheckLinesRadio(int index) override {
    Post([v = v_, index] {
      if (v->Settings) v->Settings->CheckLinesRadio(index);
    });
  }
  void CheckTimeRadio(int index) override {
    Post([v = v_, index] {
      if (v->Settings) v->Settings->CheckTimeRadio(index);
    });
  }
  void UpdateButtons() override { Post([v = v_] { v->AcquisitionEnded(); }); }
  void MarkDone(std::function<void()> done) override { Post(std::move(done)); }

  // UI thread: runs the requests that arrived, in order.
  void Drain() {
    std::deque<std::function<void()>> ready;
    {
      std::lock_guard<std::mutex> lock(m_);
      ready.swap(queue_);
    }
    for (auto& f : ready) f();
  }

  // Queues alive in the process (at most the current run's).
  static int Live() { return live_.load(); }

 private:
  void Post(std::function<void()> f) {
    bool wasEmpty;
    {
      std::lock_guard<std::mutex> lock(m_);
      wasEmpty = queue_.empty();
      queue_.push_back(std::move(f));
    }
    if (wasEmpty) wake_.Signal();
  }
  TVideo* v_;
  UiWake& wake_;
  std::mutex m_;
  std::deque<std::function<void()>> queue_;
  static inline std::atomic<int> live_{0};
};

}  // namespace orvix
