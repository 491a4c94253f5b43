// Error texts and the resolution of host, port and protocol texts.
#include "winsock_test_support.h"

#include <arpa/inet.h>

#include <cstring>
#include <string>

namespace fourinrow::socket::testing {
namespace {

TEST(WinsockErrorDesc, GivesTheTextOfEachCodeAndFlagsOthers) {
    const std::pair<int, std::string> cases[] = {
        {0, "No Error"},
        {10004, "Interrupted system call"},
        {10035, "Operation would block"},
        {10054, "Connection reset by peer"},
        {10061, "Connection refused"},
        {10093, "WinSock not initialized"},
        {11001, "Host not found"},
        {11004, "No Data"},
        {10000, "Not a WinSock error"},
        {10072, "Not a WinSock error"},
        {-1, "Not a WinSock error"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(WSocketErrorDesc(code), text) << code;
}

TEST(WinsockParseDecimal, ReadsDigitsAfterBlanksAndWrapsInsteadOfOverflowing) {
    const std::pair<std::string, std::uint32_t> cases[] = {
        {"1977", 1977},    {"80x", 80},
        {"   42", 42},     {"", 0},
        {"   ", 0},        {"x12", 0},
        {"-5", 0},         {"4294967295", 4294967295u},
        {"4294967296", 0}, {"99999999999", 1215752191u}, // 99999999999 mod 2^32
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseDecimal(text), value) << '"' << text << '"';
    EXPECT_TRUE(IsDigitChar('0'));
    EXPECT_TRUE(IsDigitChar('9'));
    EXPECT_FALSE(IsDigitChar('/'));
    EXPECT_FALSE(IsDigitChar(':'));
}

using WinsockResolve = WinsockTest;

TEST_F(WinsockResolve, PortsFromNumbersAndServiceNames) {
    struct Case {
        std::string port, proto;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {"1977", "tcp", 1977},
        {"80x", "tcp", 80},
        {"70000", "tcp", 70000 % 65536},       // only the low 16 bits
        {std::string(31, '9'), "tcp", 0xFFFF}, // 31 nines wrap to ...FFFF in the low bits
        {"http", "tcp", 80},
        {"http ", " tcp ", 80},
        {"smtp", "", 25}, // no protocol: any
    };
    for (const Case& c : cases)
        EXPECT_EQ(WSocketResolvePort(c.port, c.proto), c.expected) << '"' << c.port << '"';
}

TEST_F(WinsockResolve, PortTextsThatFail) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "WSocketResolvePort: Invalid Port."},
        {std::string(32, '1'), "WSocketResolvePort: Invalid Port."},
        // A leading blank makes it a service name, not a number.
        {" 80", "WSocketResolvePort: Cannot convert port '80'"},
        {"no-such-service", "WSocketResolvePort: Cannot convert port 'no-such-service'"},
    };
    for (const auto& [port, message] : cases)
        EXPECT_EQ(ExceptionText([&] { WSocketResolvePort(port, "tcp"); }), message)
            << '"' << port << '"';
}

TEST_F(WinsockResolve, ProtocolsFromNumbersAndNames) {
    const std::pair<std::string, int> cases[] = {
        {"tcp", 6}, {"udp", 17}, {"17", 17}, {" 6 ", 6}, {"6x", 6},
    };
    for (const auto& [proto, number] : cases)
        EXPECT_EQ(WSocketResolveProto(proto), number) << '"' << proto << '"';

    const std::pair<std::string, std::string> failures[] = {
        {"", "WSocketResolveProto: Invalid Protocol."},
        {std::string(32, 't'), "WSocketResolveProto: Invalid Protocol."},
        {" bogus ", "WSocketResolveProto: Cannot convert protocol 'bogus'"},
    };
    for (const auto& [proto, message] : failures)
        EXPECT_EQ(ExceptionText([&] { WSocketResolveProto(proto); }), message)
            << '"' << proto << '"';
}

TEST_F(WinsockResolve, HostsFromDottedAddressesAndNames) {
    const std::pair<std::string, std::uint32_t> cases[] = {
        {"127.0.0.1", htonl(0x7F000001)},
        {" 10.1.2.3 ", htonl(0x0A010203)},
        {"255.255.255.255", 0xFFFFFFFF}, // the broadcast address, not a failure
        {"localhost", htonl(0x7F000001)},
    };
    for (const auto& [host, address] : cases)
        EXPECT_EQ(WSocketResolveHost(host), address) << '"' << host << '"';
}

TEST_F(WinsockResolve, HostTextsThatFail) {
    const std::string longest(256, 'a'); // still accepted, and passed on terminated
    const std::pair<std::string, std::string> cases[] = {
        {"", "WSocketResolveHost: '' Invalid Hostname."},
        {std::string(257, 'a'),
         "WSocketResolveHost: '" + std::string(257, 'a') + "' Invalid Hostname."},
        {"1.2.3.256", "WSocketResolveHost: '1.2.3.256' Invalid IP address."},
        // Starting with a digit, it is never looked up as a name.
        {"1host.example", "WSocketResolveHost: '1host.example' Invalid IP address."},
        {longest, "WSocketResolveHost: Cannot convert host address '" + longest + "'"},
        {" no-such-host.invalid",
         "WSocketResolveHost: Cannot convert host address ' no-such-host.invalid'"},
    };
    for (const auto& [host, message] : cases)
        EXPECT_EQ(ExceptionText([&] { WSocketResolveHost(host); }), message) << '"' << host << '"';
}

TEST_F(WinsockResolve, LocalNameAndAddresses) {
    char expected[256] = {};
    ASSERT_EQ(::gethostname(expected, sizeof expected - 1), 0);
    EXPECT_EQ(LocalHostName(), expected);
    // The name is given whole and terminated, or not at all.
    const int length = static_cast<int>(std::strlen(expected));
    std::string exact(static_cast<std::size_t>(length), '#');
    EXPECT_EQ(winsock::gethostname(exact.data(), length), ws::SocketError);
    EXPECT_EQ(winsock::WSAGetLastError(), ws::WSAEFAULT);
    EXPECT_EQ(exact, std::string(static_cast<std::size_t>(length), '#'));
    std::string roomy(static_cast<std::size_t>(length + 1), '#');
    EXPECT_EQ(winsock::gethostname(roomy.data(), length + 1), 0);
    EXPECT_STREQ(roomy.c_str(), expected);

    const std::vector<std::string>& first = LocalIPList();
    ASSERT_FALSE(first.empty());
    for (const std::string& address : first)
        EXPECT_NE(WSocketResolveHost(address), ws::InaddrNone) << address;
    // The one shared list, refilled by every call.
    EXPECT_EQ(&LocalIPList(), &first);
}

} // namespace
} // namespace fourinrow::socket::testing
