#include "solitaire/engine/shared_state.h"

#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/settings.h"

namespace solitaire {

EngineScalars engineScalars;
std::int32_t StockDealCount = 0;
SharedObjects sharedObjects;
GameDefinition gameDefinition{};

void fnBuildSharedObjects(bool create) {
    // Both ways every list and picture ends up new and empty; creation also sets up the
    // settings record and the engine words.
    sharedObjects = SharedObjects{};
    if (!create)
        return;
    settingsRecord.clear();
    fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, fnProgramDirectory());
    fnWriteSettingsField(kPreferencesFilePosition, kPreferencesFileWidth, kPreferencesFileName);
    engineScalars = EngineScalars{};
    StockDealCount = 0;
    sharedObjects.DragImage = platform::gdi::Bitmap(kDragImageWidth, kDragImageHeight);
}

void fnCreateSharedObjects() {
    fnBuildSharedObjects(true);
}

void fnFreeSharedObjects() {
    fnBuildSharedObjects(false);
}

} // namespace solitaire
