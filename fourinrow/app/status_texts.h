#pragma once
// The status bar's first-panel texts that name a player: the computer opponent in normal
// mode, the peer in network play. The panels are sized for them with each name known.

#include <string>
#include <vector>

namespace fourinrow::app::status {

inline std::string OpponentWins(const std::string& opponent) {
    return opponent + " wins! Get ready for revenge";
}
inline std::string Picked(const std::string& player, const std::string& column) {
    return player + " picked " + column + ". Your move";
}
inline std::string MoveOrLetMoveFirst(const std::string& opponent) {
    return "Move or let " + opponent + " move first";
}

inline std::string PeerTurn(const std::string& peer, bool ownMove) {
    return "Opponent " + peer + (ownMove ? ". Your move" : ". Waiting...");
}
inline std::string WaitingFor(const std::string& peer) {
    return "Waiting for " + peer + " to move...";
}
// A network game's result, and what comes next on this side.
inline std::string GameOver(const std::string& result, bool listener) {
    return result + (listener ? " Next Game to restart" : " Waiting for restart...");
}

inline std::vector<std::string> NamingOpponent(const std::string& opponent) {
    return {OpponentWins(opponent), Picked(opponent, "7"), MoveOrLetMoveFirst(opponent)};
}
inline std::vector<std::string> NamingPeer(const std::string& peer) {
    return {
        PeerTurn(peer, true), PeerTurn(peer, false),           WaitingFor(peer),
        Picked(peer, "7"),    GameOver(peer + " wins!", true), GameOver(peer + " wins!", false)};
}

} // namespace fourinrow::app::status
