#include "qt/size_words.h"

#include <QLocale>

#include "cache/size_text.h"

namespace thld {

QString SizeForPeople(std::uint64_t bytes) { return QString::fromStdString(SizeInUnits(bytes)); }

QString ExactBytes(std::uint64_t bytes)
{
    return QStringLiteral("%1 bytes").arg(QLocale().toString(static_cast<qulonglong>(bytes)));
}

}  // namespace thld
