// Compiles the game catalogue sources into the game definitions file:
//   gamescompiler <output file> <game source>...
// Any fault in a source stops the compiler with a message naming file and line; no output is
// written then.

#include "tools/gamescompiler/catalogue.h"

#include <cstdio>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: gamescompiler <output file> <game source>...\n";
        return 2;
    }
    try {
        std::vector<gamescompiler::GameSource> games;
        for (int i = 2; i < argc; ++i)
            games.push_back(gamescompiler::readGameSource(argv[i]));
        const auto lines = gamescompiler::buildGamesFile(games);

        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
        out.close();
        if (!out) {
            std::cerr << argv[1] << ": cannot be written\n";
            std::remove(argv[1]);
            return 1;
        }
    } catch (const gamescompiler::CatalogueError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
