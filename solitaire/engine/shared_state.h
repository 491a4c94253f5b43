#pragma once
// Program-wide state of the solitaire program, created once at start-up before any window
// and owned by the engine for the whole run.

#include "solitaire/engine/utils.h"

#include "platform/gdi/bitmap.h"

#include <array>
#include <cstdint>
#include <string>

namespace solitaire {

// Small engine words shared with the presentation, all 0 at creation. Each is written by
// one family of routines only: the fan steps when a game is set up, the drag words by the
// table's mouse handling, the scroll offset by the table layout, TableHeight by drawing.
struct EngineScalars {
    std::int16_t FanUpY = 0;
    std::int16_t FanUpX = 0;
    std::int16_t FanDownY = 0;
    std::int16_t FanDownX = 0;
    std::int16_t RowGap = 0;
    std::int16_t Mode5Offset = 0;
    std::int16_t Mode5OffsetB = 0;
    std::int16_t Mode6Offset = 0;
    std::int16_t Mode6OffsetB = 0;
    std::int16_t ClosePending = 0;       // window closed during the winning animation
    std::int16_t StockPassCount = 0;     // passes through the stock in this game
    std::int16_t MovedWhileDragging = 0; // the mouse moved while a card was held
    std::int16_t LowResolutionShown = 0; // the 640x480 message was shown in this run
    std::int16_t CardSetFallback = 0;    // state of the low-resolution card-set swap
    std::int16_t PileSizeHintRaised = 0;
    std::int16_t ScrollOffset = 0;    // vertical scroll offset of the table
    std::int16_t PhaseCounter = 0;    // 0 before the first move, then 1, then 2
    std::int16_t TableHeight = 0;     // greatest bottom edge drawn so far
    std::int16_t DraggedCard = 0;     // card being dragged or sent; 0: no drag
    std::int16_t DraggedGroupTop = 0; // top card of the dragged group
    std::int16_t LastMouseX = 0;      // point of the last press on the table
    std::int16_t LastMouseY = 0;
    std::int16_t StockPressed = 0; // the release over the stock turns it
    std::int16_t StockHintShown = 0; // the stock hint marks the stock or waste place
};

inline constexpr int kPileListCount = 4;
// Indices of the four pile lists inside backups and undo/redo sides.
enum PileListIndex { kMazzoList = 0, kDestList = 1, kFilaList = 2, kAppoggList = 3 };

struct SharedObjects {
    StringList GameList;
    StringList CardTable;
    StringList MazzoPiles;  // 0 stock, 1 waste, 2 discard pile
    StringList DestPiles;   // foundations 1..16
    StringList FilaPiles;   // tableau piles 1..26
    StringList AppoggPiles; // reserves 1..8
    std::array<StringList, kPileListCount> PileBackups;
    std::array<StringList, kPileListCount> UndoStack;
    std::array<StringList, kPileListCount> RedoStack;
    std::string MovedCardsLog;     // undo side
    std::string RedoMovedCardsLog; // redo side

    // Pictures; their contents come from the card and picture resources and the table
    // drawing. The back buffer holds the whole table in table coordinates, the background
    // copy the bare background that repairs every uncovered area.
    platform::gdi::Bitmap CardBackImage;
    platform::gdi::Bitmap DragImage;
    platform::gdi::Bitmap BackBuffer;
    platform::gdi::Bitmap BackgroundCopy;
    std::array<platform::gdi::Bitmap, 22> MarkerImages;
    std::array<platform::gdi::Bitmap, 2> ShadowImages;
    std::array<platform::gdi::Bitmap, 2> BorderImages;
    std::array<platform::gdi::Bitmap, 52> CardFaces;
};

inline constexpr int kDragImageWidth = 100;
inline constexpr int kDragImageHeight = 200;

extern EngineScalars engineScalars;
// Stock deals made in this game (a new game resets it, stock moves raise it); some build
// rules depend on it.
extern std::int32_t StockDealCount;
extern SharedObjects sharedObjects;

// create: settings record blank but for the program directory (501/200) and the
// preferences file name (1/20), every list and picture new and empty (the drag image
// 100 x 200 pixels), the engine words 0. !create: the lists and pictures are released.
void fnBuildSharedObjects(bool create);
void fnCreateSharedObjects();
void fnFreeSharedObjects();

} // namespace solitaire
