#include "fourinrow/socket/lineedit.h"

#include <algorithm>

namespace fourinrow::socket {

namespace {
constexpr char Backspace = 8;
constexpr char Tab = 9;
constexpr std::string_view BackspaceEcho = "\b \b";
constexpr std::size_t TabWidth = 8;

std::size_t LineStart(std::string_view text, std::string_view lineEnd) {
    const std::size_t end = text.rfind(lineEnd);
    return end == std::string_view::npos ? 0 : end + lineEnd.size();
}
} // namespace

std::size_t FindLineLength(std::string_view data, std::size_t searchFrom,
                           std::string_view lineEnd) {
    if (lineEnd.empty() || searchFrom >= data.size())
        return 0;
    const std::size_t at = data.find(lineEnd, searchFrom);
    return at == std::string_view::npos ? 0 : at + lineEnd.size();
}

std::size_t EditReceivedBytes(std::string& buffer, std::size_t newStart, std::string_view lineEnd,
                              std::string* echo) {
    std::string edited = buffer.substr(0, newStart);
    std::size_t kept = edited.size();
    for (std::size_t i = newStart; i < buffer.size(); ++i) {
        const char c = buffer[i];
        if (c == Backspace) {
            if (edited.size() > LineStart(edited, lineEnd)) {
                edited.pop_back();
                kept = std::min(kept, edited.size());
                if (echo)
                    *echo += BackspaceEcho;
            }
        } else if (c == Tab) {
            const std::size_t column = edited.size() - LineStart(edited, lineEnd);
            const std::size_t spaces = TabWidth - column % TabWidth;
            edited.append(spaces, ' ');
            if (echo)
                echo->append(spaces, ' ');
        } else {
            edited += c;
            if (echo)
                *echo += c;
        }
    }
    buffer = std::move(edited);
    return kept;
}

} // namespace fourinrow::socket
