#pragma once
// The acquisition thread's requests to the main window. Each request is put in a queue
// guarded by a mutex; the window drains it on the UI thread from a short timer that runs
// while an acquisition exists. Nothing here waits on the UI: the thread goes on at once.
// No toolkit object crosses the threads, so every hand-over is a plain mutex hand-over
// that the thread checker can follow.
#include <QTimer>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

#include "AcquisitionUi.h"
#include "TVideo.h"
#include "TNastVid.h"

namespace orvix {

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
  void MarkDone(std::shared_ptr<std::atomic<bool>> done) override {
    Post([done] { done->store(true); });
  }

  // UI thread: runs the requests that arrived, in order.
  void Drain() {
    std::deque<std::function<void()>> ready;
    {
      std::lock_guard<std::mutex> lock(m_);
      ready.swap(queue_);
    }
    for (auto& f : ready) f();
  }

 private:
  void Post(std::function<void()> f) {
    {
      std::lock_guard<std::mutex> lock(m_);
      queue_.push_back(std::move(f));
    }
  }
  TVideo* v_;
  std::mutex m_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace orvix
