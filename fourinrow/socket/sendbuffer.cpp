#include "fourinrow/socket/sendbuffer.h"

#include <algorithm>
#include <cstring>

namespace fourinrow::socket {

TBuffer::TBuffer(int size) : block_(static_cast<std::size_t>(size > 0 ? size : DefaultSize)) {}

int TBuffer::Write(const void* data, int length) {
    const int copied = std::clamp(Size() - writeCount_, 0, std::max(length, 0));
    if (copied > 0) {
        std::memcpy(block_.data() + writeCount_, data, static_cast<std::size_t>(copied));
        writeCount_ += copied;
    }
    return copied;
}

const char* TBuffer::Peek(int& length) const {
    length = Unsent();
    return length > 0 ? block_.data() + readCount_ : nullptr;
}

int TBuffer::Remove(int length) {
    const int removed = std::clamp(length, 0, Unsent());
    readCount_ += removed;
    if (readCount_ == writeCount_) {
        readCount_ = 0;
        writeCount_ = 0;
    }
    return removed;
}

void SendQueue::Put(const void* data, int length) {
    if (length <= 0)
        return;
    if (blocks_.empty())
        blocks_.push_back(std::make_unique<TBuffer>(blockSize_));
    auto* bytes = static_cast<const char*>(data);
    for (;;) {
        const int copied = blocks_.back()->Write(bytes, length);
        bytes += copied;
        length -= copied;
        if (length == 0)
            return;
        blocks_.push_back(std::make_unique<TBuffer>(blockSize_));
    }
}

std::size_t SendQueue::UnsentBytes() const {
    std::size_t unsent = 0;
    for (const auto& block : blocks_)
        unsent += static_cast<std::size_t>(block->Unsent());
    return unsent;
}

} // namespace fourinrow::socket
