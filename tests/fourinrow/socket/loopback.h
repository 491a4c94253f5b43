#pragma once
// Helpers for socket tests over loopback: pumping the event loop until something happened, a
// connected pair of sockets made by Listen, Accept and Dup, and the count of open descriptors.

#include "fourinrow/socket/syncwait.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace sockettest {

using namespace fourinrow::socket;

// Runs the event loop until done() holds. The limit only keeps a broken test from hanging;
// every wait is for an event that must come.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(20));

// Descriptors open in this process.
int OpenDescriptors();

// A listener on an ephemeral loopback port that hands each incoming connection to `server`.
class LoopbackPair {
public:
    LoopbackPair();

    // Connects client to the listener and waits until both ends are connected.
    void Connect();
    // Closes both ends and waits until both are closed.
    void CloseBoth();

    TWSocket listener;
    TWSocket client;
    TWSocket server;
    std::string port;
    int sessionsAvailable = 0;
    // Set before Connect: the linger mode the accepted end adopts.
    TSocketLingerOnOff serverLinger = wsLingerOn;
};

// Waits, without running the event loop, until bytes wait at socket, then runs the loop until
// the socket has taken them: received data has then been handled, whatever the handler did.
void AwaitHandled(TWSocket& socket, int bytes);

// Collects everything a socket receives through OnDataAvailable.
void CollectReceived(TWSocket& socket, std::string& received);

} // namespace sockettest
