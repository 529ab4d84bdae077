#include "qt/size_words.h"

#include <QLocale>

namespace thld {

QString SizeForPeople(std::uint64_t bytes)
{
    static const char* const units[] = {"B", "KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (value >= 1024 && unit < 6) {
        value /= 1024;
        ++unit;
    }
    // 1023.9 KiB shows as "1024 KiB", never as "1.0e+03".
    const int decimals = value < 9.95 ? 1 : 0;
    return QStringLiteral("%1 %2").arg(value, 0, 'f', decimals).arg(QString::fromLatin1(units[unit]));
}

QString ExactBytes(std::uint64_t bytes)
{
    return QStringLiteral("%1 bytes").arg(QLocale().toString(static_cast<qulonglong>(bytes)));
}

}  // namespace thld
