#pragma once
// Text handling of the socket's line mode, kept apart from the socket so it can be checked on
// its own: finding line ends and the terminal-style editing of received bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace fourinrow::socket {

// Length, including lineEnd, of the first complete line of data whose line end starts at or
// after searchFrom; 0 when no line is complete yet.
std::size_t FindLineLength(std::string_view data, std::size_t searchFrom, std::string_view lineEnd);

// Edits the bytes of buffer from newStart on as a terminal would: a backspace removes the
// character before it (never before the start of its line), a tab becomes spaces up to the next
// multiple of 8 columns. When echo is given, what the remote terminal should show is appended.
// Returns how many leading bytes of buffer the edit left as they were (at most newStart).
std::size_t EditReceivedBytes(std::string& buffer, std::size_t newStart, std::string_view lineEnd,
                              std::string* echo);

} // namespace fourinrow::socket
