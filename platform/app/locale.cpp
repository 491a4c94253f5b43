#include "platform/app/locale.h"

#include <QLocale>

#include <optional>
#include <stdexcept>

namespace platform::app {
namespace {

std::optional<char> fixedSeparator;

// The locale's short time format names the hours by a run of "h" or "H"; what follows the
// run is the separator (a quoted text or a letter there is no separator).
char separatorIn(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    qsizetype at = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    if (at < 0)
        return ':';
    while (at < format.size() && format[at].toLower() == QLatin1Char('h'))
        ++at;
    if (at >= format.size())
        return ':';
    const QChar next = format[at];
    if (next.isLetterOrNumber() || next == QLatin1Char('\'') || next.toLatin1() == 0)
        return ':';
    return next.toLatin1();
}

} // namespace

char timeSeparator() {
    return fixedSeparator ? *fixedSeparator : separatorIn(QLocale::system());
}

char timeSeparatorOf(const std::string& localeName) {
    return separatorIn(QLocale(QString::fromStdString(localeName)));
}

TestTimeSeparator::TestTimeSeparator(char separator) {
    if (fixedSeparator)
        throw std::logic_error("TestTimeSeparator: a test separator is already installed");
    fixedSeparator = separator;
}

TestTimeSeparator::~TestTimeSeparator() { fixedSeparator.reset(); }

} // namespace platform::app
