#pragma once
// Small stateless helpers on 8-bit text, numbers and time that the whole solitaire program
// uses. Positions in texts are 1-based, as the callers count them.

#include "platform/app/beep.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/geometry.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace solitaire {

using StringList = std::vector<std::string>;

// Raised by the strict conversion: the numbers kept as text must be well formed.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string_view text);
};

// Decimal text to a 32-bit integer: leading spaces and one sign are allowed, nothing else;
// an empty text, any other character (also a trailing space) or a value outside 32 bits is
// an error.
std::optional<int> fnTryStrToInt(std::string_view text);
int fnStrToInt(std::string_view text); // throws ConversionError

void fnUtilNoOp();

std::string fnReplaceAt(std::string_view text, int index, int count, std::string_view replacement);
std::string fnRightStr(std::string_view text, int n);
std::string fnReplicate(char character, int n);
std::string fnReplaceChar(char character, std::string_view replacement, std::string_view text);
std::string fnSpaces(int n);
std::string fnPadRight(std::string_view text, int n);
std::string fnTrimRight(std::string_view text);
std::string fnTrimLeft(std::string_view text);

// Fixed width, zero filled; "*" repeated width times when the value does not fit.
std::string fnFormatZeroPad(int width, int decimals, double value);
std::string fnIntZeroPad(int value, int width);

int fnIntPower(int base, int n);
int fnMax(int a, int b);

// The character substitution of the game definitions file; applying it twice gives the text
// back. Spaces, control characters and bytes above 126 stay as they are, and no printable
// character becomes "[" (which starts a section), so stored lines keep their structure.
std::string fnScrambleText(std::string_view text);

// dest := the lines after every source line that begins with header, each run ending at the
// next line that begins with "[".
void fnSectionLines(StringList& dest, const StringList& source, std::string_view header);

// Waits until the millisecond tick count has advanced by ms; the first lets pending window
// events run on every pass.
void fnWaitProcessing(unsigned ms);
void fnWaitMs(unsigned ms);
void fnWaitMsAgain(unsigned ms);

// A modal information box with one OK button; also the report of internal errors.
void fnInfoMessage(const std::string& text);
void fnBeep(platform::app::BeepKind kind = platform::app::BeepKind::Default);

// A new empty temporary file in folder; name receives its path.
bool fnTempFileName(const std::string& folder, const std::string& prefix, std::string& name);
bool fnDirExists(const std::string& directory);
// Opens a file, folder or link through the desktop with the hourglass showing meanwhile;
// the result is the shell's (above 32 is success).
int fnShellOpen(const std::string& file, const std::string& parameters, const std::string& directory,
                int showCommand);
// There is no system folder of the kind the program once asked for: always empty.
std::string fnWindowsDir();

// 256 bands from the top colour (a system colour is resolved first) down to the bottom one.
void fnGradientFill(platform::gdi::Bitmap& canvas, const platform::gdi::Rect& rect,
                    platform::gdi::Color top, platform::gdi::Color bottom);

// Colours the screen can show; 999999999 above 24 bits per pixel.
int fnColorCount();

} // namespace solitaire
