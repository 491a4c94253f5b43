#pragma once
// The string table: texts looked up by number. Each program registers its entries at start-up.

#include <map>
#include <string>

namespace platform::app {

// Adds the entries to the table; an id already present takes the new text.
void registerStrings(const std::map<int, std::string>& entries);

// The text of the entry; empty when the table has no such entry.
std::string loadString(int id);

} // namespace platform::app
