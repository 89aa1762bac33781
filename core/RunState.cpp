#include "RunState.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace orvix {

ZeroedBuffer::ZeroedBuffer(size_t size)
    : data_(static_cast<uint8_t*>(std::calloc(size, 1))), size_(size) {
  if (data_ == nullptr) throw std::bad_alloc();
}

ZeroedBuffer::~ZeroedBuffer() { std::free(data_); }

void ZeroedBuffer::Zero() { std::memset(data_, 0, size_); }

SharedState::SharedState() = default;

}  // namespace orvix
