#include "fourinrow/socket/linemode.h"

#include "fourinrow/socket/lineedit.h"

#include <algorithm>
#include <cstring>

namespace fourinrow::socket {

void TCustomLineWSocket::SetLineMode(bool value) {
    if (value == lineMode_)
        return;
    lineMode_ = value;
    // A line half read stays at the front and is served by ordinary reads from now on.
    lineLength_ = 0;
    searched_ = 0;
    if (!rcvdBuffer_.empty())
        PostToSelf(LineModeMessage, 0, 0);
}

void TCustomLineWSocket::SetLineEnd(const std::string& value) {
    lineEnd_ = value;
    searched_ = 0;
}

void TCustomLineWSocket::WndProc(const platform::WindowMessage& message) {
    if (message.message != LineModeMessage) {
        TCustomSocksWSocket::WndProc(message);
        return;
    }
    try {
        HandleLineModeMessage();
    } catch (const std::exception& e) {
        HandleBackgroundException(e);
    }
}

void TCustomLineWSocket::HandleLineModeMessage() {
    if (Cutting()) {
        DeliverLines(0);
        return;
    }
    while (!rcvdBuffer_.empty()) {
        const std::size_t held = rcvdBuffer_.size();
        if (!TCustomSocksWSocket::TriggerDataAvailable(0) || rcvdBuffer_.size() == held)
            break;
    }
}

bool TCustomLineWSocket::TriggerDataAvailable(std::uint16_t error) {
    if (!Cutting() || SocksNegotiating())
        return TCustomSocksWSocket::TriggerDataAvailable(error);
    ReadWaitingBytes();
    DeliverLines(error);
    return true;
}

void TCustomLineWSocket::ReadWaitingBytes() {
    const int waiting = TCustomSocksWSocket::GetRcvdCount();
    if (waiting <= 0)
        return;
    const std::size_t oldSize = rcvdBuffer_.size();
    rcvdBuffer_.resize(oldSize + static_cast<std::size_t>(waiting));
    const int got = TCustomSocksWSocket::DoRecv(rcvdBuffer_.data() + oldSize, waiting, 0);
    rcvdBuffer_.resize(oldSize + static_cast<std::size_t>(std::max(got, 0)));
    if (got <= 0)
        return;
    if (lineEdit_)
        EditLine(oldSize);
    else if (lineEcho_)
        Send(rcvdBuffer_.data() + oldSize, got);
}

void TCustomLineWSocket::EditLine(std::size_t newStart) {
    std::string echo;
    const std::size_t kept =
        EditReceivedBytes(rcvdBuffer_, newStart, lineEnd_, lineEcho_ ? &echo : nullptr);
    // Backspaces may have taken back bytes already searched; what follows them is new and must
    // be searched, or a line end right after them is never found.
    searched_ = std::min(searched_, kept);
    if (!echo.empty())
        SendStr(echo);
}

void TCustomLineWSocket::DeliverLines(std::uint16_t error) {
    // A line left unread by its handler goes first.
    if (lineLength_ > 0 && !DeliverCurrentLine(error))
        return;
    while (Cutting()) {
        const std::size_t from = searched_ > lineEnd_.size() ? searched_ - lineEnd_.size() : 0;
        const std::size_t length = FindLineLength(rcvdBuffer_, from, lineEnd_);
        if (length == 0) {
            searched_ = rcvdBuffer_.size();
            return;
        }
        searched_ = 0;
        lineLength_ = static_cast<int>(length);
        if (!DeliverCurrentLine(error))
            return;
    }
}

bool TCustomLineWSocket::DeliverCurrentLine(std::uint16_t error) {
    while (lineLength_ > 0) {
        const int unread = lineLength_;
        if (!TCustomSocksWSocket::TriggerDataAvailable(error)) {
            // Nobody reads lines: drop it.
            rcvdBuffer_.erase(0, static_cast<std::size_t>(lineLength_));
            lineLength_ = 0;
            break;
        }
        if (lineLength_ == unread)
            return false;
    }
    return true;
}

void TCustomLineWSocket::TriggerSessionClosed(std::uint16_t error) {
    if (Cutting() && !rcvdBuffer_.empty()) {
        // What never got its line end is the last line.
        lineLength_ = static_cast<int>(rcvdBuffer_.size());
        DeliverCurrentLine(error);
    }
    rcvdBuffer_.clear();
    lineLength_ = 0;
    searched_ = 0;
    TCustomSocksWSocket::TriggerSessionClosed(error);
}

int TCustomLineWSocket::Serve(void* buffer, int size, int available) {
    const int served = std::clamp(size, 0, available);
    std::memcpy(buffer, rcvdBuffer_.data(), static_cast<std::size_t>(served));
    rcvdBuffer_.erase(0, static_cast<std::size_t>(served));
    return served;
}

int TCustomLineWSocket::DoRecv(void* buffer, int size, int flags) {
    if (lineMode_ && lineLength_ > 0) {
        const int served = Serve(buffer, size, lineLength_);
        lineLength_ -= served;
        return served;
    }
    if (!lineMode_ && !rcvdBuffer_.empty())
        return Serve(buffer, size, static_cast<int>(rcvdBuffer_.size()));
    return TCustomSocksWSocket::DoRecv(buffer, size, flags);
}

int TCustomLineWSocket::GetRcvdCount() {
    if (lineMode_ && lineLength_ > 0)
        return lineLength_;
    if (!lineMode_ && !rcvdBuffer_.empty())
        return static_cast<int>(rcvdBuffer_.size());
    return TCustomSocksWSocket::GetRcvdCount();
}

} // namespace fourinrow::socket
