#include "solitaire/app/links.h"

#include "solitaire/app/preferences.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/utils.h"

#include "platform/shell/help.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace solitaire {

std::string HelpFile;

namespace {
constexpr int kShowWithoutActivation = 4;

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}
} // namespace

bool OpenLink(const std::string& kind, const std::string& target) {
    std::string link;
    const std::string upper = upperCase(kind);
    if (upper == "EMAIL") {
        link = "mailto:" + target;
    } else if (upper == "HTTP") {
        const bool hasScheme = target.rfind("http://", 0) == 0 || target.rfind("https://", 0) == 0;
        link = hasScheme ? target : "http://" + target;
    } else {
        fnInfoMessage("Error in parameters");
        return false;
    }
    return fnShellOpen(link, "", "", kShowWithoutActivation) > 32;
}

std::string fnCategoryTreeName(int category) {
    static const std::map<int, std::string> names = {
        {2, "TREE5_CANFIELD_TYPE"},    {3, "TREE5_FORTYTHIEVES_TYPE"}, {4, "TREE5_FREECELL_TYPE"},
        {5, "TREE5_KLONDIKE_TYPE"},    {6, "TREE5_PAIRING_TYPE"},      {7, "TREE5_SIMPLEGAMES_TYPE"},
        {8, "TREE5_SPIDER_TYPE"},      {9, "TREE5_1DECK_TYPE"},        {10, "TREE5_2DECK_TYPE"},
        {11, "TREE5_FAN_TYPE"},        {12, "TREE5_BAKERSDOZEN_TYPE"}, {13, "TREE5_ROW_TYPE"},
        {800, "TREE5_CUSTOMIZED_GAMES"}};
    if (const auto found = names.find(category); found != names.end())
        return found->second;
    fnInfoMessage("GameCategory not found (" + std::to_string(category) + ")");
    return {};
}

std::string CaptionText() {
    std::string caption = std::string(kProgramTitle) + " [" +
                          fnReadSettingsField(kGameNamePosition, kGameNameWidth).substr(0, 50) +
                          "]";
    const std::string number = fnReadSettingsField(kGameNumberPosition, kGameNumberWidth);
    if (!number.empty())
        caption += "  [" + number + "]";
    return caption;
}

std::string HelpPagePath(int context) {
    return fnProgramFilePath("help\\" + std::to_string(context) + ".html");
}

void ShowHelpTopic(int context) {
    platform::shell::showHelpPage(HelpPagePath(context));
}

void ShowHelpContents() {
    platform::shell::showHelpPage(fnProgramFilePath("help\\index.html"));
}

void ShowRulesHelp(int gameId) {
    if (gameId < 0)
        gameId = fnTryStrToInt(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth))
                     .value_or(-1);
    if (gameId < 0 || gameId >= 8000)
        return;
    const std::string previous = HelpFile;
    HelpFile = fnProgramFilePath("pellmoor.hlp>rules");
    ShowHelpTopic(3000 + gameId);
    HelpFile = previous;
}

} // namespace solitaire
