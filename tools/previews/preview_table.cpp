#include "tools/previews/preview_table.h"

#include <cstdio>
#include <fstream>

namespace previews {

TableSize statedTableSize(const std::string& rulesPage) {
    std::ifstream in(rulesPage);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t mark = line.find("class=\"table-size\"");
        if (mark == std::string::npos)
            continue;
        const std::size_t digits = line.find_first_of("0123456789", line.find('>', mark));
        TableSize size;
        if (digits != std::string::npos &&
            std::sscanf(line.c_str() + digits, "%d x %d", &size.width, &size.height) == 2)
            return size;
    }
    return {};
}

} // namespace previews
