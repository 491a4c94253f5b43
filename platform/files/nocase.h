#pragma once
// Inside the files module: names compared as Windows compares file, section and key names.

#include <algorithm>
#include <cctype>
#include <string>

namespace platform::files {

inline bool equalNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace platform::files
