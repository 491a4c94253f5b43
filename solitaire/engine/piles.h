#pragma once
// The card table and the pile store. A pile is a string of 3-digit card codes, bottom card
// first; "000" keeps an empty slot. Every operation here accepts any line number and any
// text: a line the list does not have, or a code that is not three digits, never matches
// and changes nothing.

#include "solitaire/engine/utils.h"

#include <optional>
#include <string>
#include <string_view>

namespace solitaire {

inline constexpr int kCardCount = 104;
inline constexpr int kCardTableLineLength = 20;
inline constexpr char kFaceUp = '1';
inline constexpr char kFaceDown = '0';

inline constexpr int kStockLine = 0;
inline constexpr int kWasteLine = 1;
inline constexpr int kDiscardLine = 2;
inline constexpr int kStockGroupPiles = 3;
inline constexpr int kFoundationPiles = 16;
inline constexpr int kTableauPiles = 26;
inline constexpr int kReservePiles = 8;
inline constexpr int kSnapshotLines =
    kStockGroupPiles + kFoundationPiles + kTableauPiles + kReservePiles;

enum PileKind : int {
    kStockKind = 1,
    kWasteKind = 2,
    kDiscardKind = 3,
    kTableauKind = 4,
    kFoundationKind = 5,
    kReserveKind = 6,
    kNoPileKind = 255,
};

// Where a card lies: -99 stock, -98 waste, -1..-16 foundation, 1..26 tableau pile,
// -21..-28 reserve, 0 none (the discard pile too).
inline constexpr int kStockLocation = -99;
inline constexpr int kWasteLocation = -98;
inline constexpr int kReserveLocationBase = -20;

// Start-up: the 104 card lines in code order, and the empty lines of the four pile lists.
void fnFillCardTableAndPiles();
// The fixed card-table line of a code 1..104, face up.
std::string CardTableLine(int card);

// The tableau piles and reserves the current game has (game words 262 and 263).
int fnTableauCount();
int fnReserveCount();

// The list line a pile name addresses: "Fila"n (1..26), "Dest"n (1..16), "Appogg"n (1..8),
// where n may be written with a leading zero, and "Mazzo", "Mazzo_Vis", "Mazzo_Waste".
struct PileLine {
    StringList* list;
    int line;
};
std::optional<PileLine> PileLineForName(std::string_view pileName);

// Face flags.
void SetCardFaceFlag(int card, char flag);
// mode n >= 1: the last n cards get flag; -1: 1st, 3rd, ... up, the others down; -2: the
// reverse; -3: the first up, the others down; any other mode changes nothing.
void SetPileFaceFlags(std::string_view pile, int mode, char flag);
bool fnIsFaceDown(int card);

// Appending; card 0 appends an empty slot, a code outside 0..104 nothing. The flag, when
// given, is set on the card.
void AppendCardToPile(StringList& list, int line, int card, std::optional<char> flag = {});
// Only "Fila"n, "Dest"n, "Mazzo_Vis" and "Appogg"n take cards; returns whether one did.
bool AppendCardToNamedPile(std::string_view pileName, int card, std::optional<char> flag = {});

// Finding, removing, blanking.
enum FindMode : int {
    kFindOnly = 0,
    kDeleteCode = 1,
    kBlankCode = 2,
    kDeleteCodeAndSlot = 3, // also an empty slot next to it
};
bool FindCardInPileLine(StringList& list, int line, int card, int mode);
int TakeCardFromPiles(int card, int mode); // the PileKind that held it
int fnRemoveCardFromPiles(int card);
int fnBlankCardInPiles(int card);
int fnLocateCard(int card);

// Runs and top cards. out receives one 3-digit code per line, bottom first.
bool IsTopCardOfPile(int card);
// The top card of "Mazzo", "Mazzo_Vis", "Dest"nn, "Fila"nn or "Appogg"n; 0 for an empty pile
// or a name of no pile.
int GetPileTopCard(std::string_view pileName);
// Whether the card is the top card of one of the game's tableau piles.
bool IsTopOfTableau(int card);
bool ExtractRunFromLine(StringList& list, int line, int card, bool cut, StringList& out);
bool ExtractRunFromPiles(StringList& out, int card, bool cut);
bool fnListRunFromCard(StringList& out, int card);
bool fnCutRunFromPiles(int card);

// Backups, lifting, clearing, snapshots.
void BackupPiles();
void RestorePiles();
// Redraws the card's pile without it (or without its run) on the back buffer; the pile
// store is unchanged afterwards.
void LiftCard(int card, bool single);
void fnClearGameState(bool repaint, bool clearPiles);
// 53 lines: stock group, foundations, tableau piles, reserves; 4 characters per card (code
// and face flag), "0000" for an empty slot.
void fnSnapshotPiles(StringList& out);

int fnLongestTableauPile();

} // namespace solitaire
