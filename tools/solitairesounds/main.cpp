// Writes the solitaire program's sounds into the folder given: zv_make_solitaire_sounds <dir>
#include "synth.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zv_make_solitaire_sounds <output folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const zv::sounds::Recipe& recipe : zv::sounds::solitaireRecipes()) {
        const std::vector<char> bytes = zv::sounds::wavBytes(zv::sounds::render(recipe));
        std::ofstream file(folder / recipe.fileName, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::cerr << "cannot write " << (folder / recipe.fileName).string() << "\n";
            return 1;
        }
    }
    return 0;
}
