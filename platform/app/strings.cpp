#include "platform/app/strings.h"

namespace platform::app {
namespace {

std::map<int, std::string>& table() {
    static std::map<int, std::string> entries;
    return entries;
}

} // namespace

void registerStrings(const std::map<int, std::string>& entries) {
    for (const auto& [id, text] : entries)
        table()[id] = text;
}

std::string loadString(int id) {
    const auto found = table().find(id);
    return found == table().end() ? std::string() : found->second;
}

} // namespace platform::app
