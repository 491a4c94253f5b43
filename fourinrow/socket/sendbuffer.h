#pragma once
// The send queue of the asynchronous socket: bytes the platform has not yet taken wait here in
// fixed-size blocks, so a send never blocks and never loses data.

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

namespace fourinrow::socket {

// One block of queued bytes. Bytes are appended at the write count and handed out from the
// read count; the space before the read count is reused only once the block has been emptied.
class TBuffer {
public:
    static constexpr int DefaultSize = 1514;

    explicit TBuffer(int size); // a size of 0 or less means DefaultSize

    // Copies as much as fits behind the write count; returns the number of bytes copied.
    int Write(const void* data, int length);
    // The first unsent byte and the number of unsent bytes (nullptr and 0 when there are none).
    const char* Peek(int& length) const;
    // Marks up to length unsent bytes as sent; returns how many were marked.
    int Remove(int length);

    int Size() const { return static_cast<int>(block_.size()); }
    int Unsent() const { return writeCount_ - readCount_; }

private:
    std::vector<char> block_;
    int writeCount_ = 0;
    int readCount_ = 0;
};

// Blocks in sending order. New data is appended to the last block while it has room.
class SendQueue {
public:
    explicit SendQueue(int blockSize = TBuffer::DefaultSize) : blockSize_(blockSize) {}

    void Put(const void* data, int length);
    bool Empty() const { return blocks_.empty(); }
    std::size_t BlockCount() const { return blocks_.size(); }
    TBuffer& Front() { return *blocks_.front(); }
    const TBuffer& Block(std::size_t index) const { return *blocks_.at(index); }
    void PopFront() { blocks_.pop_front(); }
    void Clear() { blocks_.clear(); }
    // Bytes queued and not yet taken by the platform.
    std::size_t UnsentBytes() const;

private:
    int blockSize_;
    std::deque<std::unique_ptr<TBuffer>> blocks_;
};

} // namespace fourinrow::socket
