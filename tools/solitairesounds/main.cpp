// Writes the solitaire program's sounds into the folder given: zv_make_solitaire_sounds <dir>
#include "synth.h"
#include "wav_file.h"

#include <filesystem>
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
        if (!zv::wav::writeMonoPcm16(folder / recipe.fileName, zv::sounds::render(recipe),
                                     zv::sounds::kSampleRate)) {
            std::cerr << "cannot write " << (folder / recipe.fileName).string() << "\n";
            return 1;
        }
    }
    return 0;
}
