#pragma once
// Line mode: received data is cut into lines ending in LineEnd and handed to OnDataAvailable
// one line at a time, optionally echoed and edited as a terminal would.

#include "fourinrow/socket/socks.h"

#include <cstdint>
#include <string>

namespace fourinrow::socket {

// Posted to the socket's own window when LineMode changes while bytes are held.
constexpr std::uint32_t LineModeMessage = 0x414;

class TCustomLineWSocket : public TCustomSocksWSocket {
public:
    bool LineMode() const { return lineMode_; }
    virtual void SetLineMode(bool value);
    const std::string& LineEnd() const { return lineEnd_; }
    void SetLineEnd(const std::string& value);
    bool LineEcho() const { return lineEcho_; }
    void SetLineEcho(bool value) { lineEcho_ = value; }
    bool LineEdit() const { return lineEdit_; }
    void SetLineEdit(bool value) { lineEdit_ = value; }

    int GetRcvdCount() override;
    int DoRecv(void* buffer, int size, int flags) override;

protected:
    void WndProc(const platform::WindowMessage& message) override;
    bool TriggerDataAvailable(std::uint16_t error) override;
    void TriggerSessionClosed(std::uint16_t error) override;
    // Edits the bytes received from newStart on and echoes them when LineEcho is set.
    virtual void EditLine(std::size_t newStart);

private:
    bool Cutting() const { return lineMode_ && !lineEnd_.empty(); }
    void ReadWaitingBytes();
    void DeliverLines(std::uint16_t error);
    // Raises the data-available event while part of the current line is unread; false when a
    // handler read nothing, which leaves the line for the next notification.
    bool DeliverCurrentLine(std::uint16_t error);
    void HandleLineModeMessage();
    int Serve(void* buffer, int size, int available);

    std::string rcvdBuffer_;
    std::size_t searched_ = 0; // leading bytes already searched without finding a line end
    std::string lineEnd_ = "\r\n";
    bool lineMode_ = false;
    int lineLength_ = 0; // unread bytes of the line being delivered
    bool lineEcho_ = false;
    bool lineEdit_ = false;
};

} // namespace fourinrow::socket
