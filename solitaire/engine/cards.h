#pragma once
// Card codes 1..104 (53..104 is the second deck) and the texts made of them: 3-digit code
// strings and history strings, whose items are runs of codes each closed by a comma.

#include <string>
#include <string_view>

namespace solitaire {

// Suit 0 hearts, 1 diamonds, 2 clubs, 3 spades; -1 for a code that is no card.
int CardSuit(int code);
// Rank 1 (ace) .. 13 (king); -1 for a code that is no card.
int CardRank(int code);
bool IsRedCard(int code);
bool IsFaceCard(int code);
int PrevRank(int rank);
int NextRank(int rank);

// The number held by a 3-digit code text (a shorter text at a string's end counts as
// written); -1 when it is not a number.
int CodeAt(std::string_view codes, std::size_t offset);

bool RanksAllDistinct(std::string_view codes);
bool CodeListContains(std::string_view codeText, std::string_view codes);

void DropLastListItem(std::string& list);
void DropPreviousListItem(std::string& list);
std::string LastListItem(std::string_view list);
int CountCodeInList(std::string_view list, int code);
// In the undo log: the last item becomes the single code.
void fnReplaceLastLogItem(int code);

} // namespace solitaire
