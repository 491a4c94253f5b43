// kolvan32's record files: "kolvan32.dat", read when the program starts, and a saved game
// ("*.klv") opened later. Whatever the file holds, the game object is left with a record it
// can play on; an accepted record gives its bytes back when saved, and the computer answers
// from it.
#include "fuzz_support.h"

#include "fourinrow/game/game.h"

#include <algorithm>

using namespace fourinrow;

namespace {

// Bytes of the file no field covers; they are written as 0.
bool IsPadding(std::size_t at) {
    return (at >= 141 && at <= 143) || at == 154 || at == 155 || at >= 442;
}

void CheckPlayable(gameClass& game, const char* where) {
    ZV_FUZZ_CHECK(IsValidRecord(game.Record()), where);
    if (game.GetMoveCount() >= kCells)
        return;
    // The lowest level keeps each input quick; nothing else about the record changes.
    game.SetGameTypeAndLevel(-1, 0);
    const int before = game.GetMoveCount();
    ZV_FUZZ_CHECK(game.ComputerMove(), std::string(where) + ": the computer did not move");
    ZV_FUZZ_CHECK(game.GetMoveCount() == before + 1, where);
    ZV_FUZZ_CHECK(IsValidRecord(game.Record()), std::string(where) + " after the computer's move");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = zvfuzz::scratchFolder();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string settings = (folder / gameClass::kSettingsFile).string();
    const std::string saved = (folder / "fuzz.klv").string();
    zvfuzz::writeFile(settings, bytes);
    zvfuzz::writeFile(saved, bytes);

    const std::optional<GameStateRecord> read = ReadRecordFile(settings);
    if (read) {
        // An accepted record is kept as it came: only the padding may differ.
        const RecordBytes encoded = EncodeRecord(*read);
        for (std::size_t at = 0; at < kRecordSize; ++at)
            ZV_FUZZ_CHECK(encoded[at] == (IsPadding(at) ? 0 : data[at]),
                          "byte " + std::to_string(at) + " changed");
    }

    // Start-up: the settings file, or the built-in record.
    gameClass started(settings, 1);
    ZV_FUZZ_CHECK((started.Record() == (read ? *read : DefaultRecord())), "start-up record");
    started.TakeFirstRunFlag();
    CheckPlayable(started, "kolvan32.dat");

    // Opening a saved game over a game in progress.
    gameClass playing((folder / "missing.dat").string(), 1);
    playing.DropPiece(4);
    const GameStateRecord before = playing.Record();
    playing.LoadGame(saved);
    if (read) {
        GameStateRecord expected = *read;
        expected.autoMinimize = before.autoMinimize;
        expected.showProgress = before.showProgress;
        ZV_FUZZ_CHECK(playing.Record() == expected, "opened game");
    } else {
        ZV_FUZZ_CHECK(playing.Record() == before, "a refused file changed the game");
    }
    CheckPlayable(playing, "*.klv");

    // What the program saves it reads back.
    playing.SaveGame(saved);
    const std::optional<GameStateRecord> again = ReadRecordFile(saved);
    ZV_FUZZ_CHECK(again && *again == playing.Record(), "saved game not read back");
    return 0;
}
