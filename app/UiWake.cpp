#include "UiWake.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>

namespace orvix {

UiWake::UiWake(std::function<void()> onWake) : onWake_(std::move(onWake)) {
  fd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { Woken(); });
}

UiWake::~UiWake() {
  if (notifier_ != nullptr) {
    notifier_->setEnabled(false);
    delete notifier_;
  }
  if (fd_ >= 0) ::close(fd_);
}

void UiWake::Signal() {
  if (fd_ < 0) return;
  const uint64_t one = 1;
  ssize_t r;
  do {
    r = ::write(fd_, &one, sizeof one);
  } while (r < 0 && errno == EINTR);
}

void UiWake::Woken() {
  uint64_t count = 0;
  ssize_t r;
  do {
    r = ::read(fd_, &count, sizeof count);
  } while (r < 0 && errno == EINTR);
  if (onWake_) onWake_();
}

}  // namespace orvix
