#pragma once
// The core's texts are 8-bit strings (names as cache.ini holds them); Qt's are QString. Names reach
// Qt through the system's one rule for showing them (UnicodeText), and Qt's texts come back as
// UTF-8. Line breaks in the core's messages are "\r\n", which Qt's labels want as "\n".

#include <QString>

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace thld {

inline QString ToQt(std::string_view text)
{
    const std::string unicode = UnicodeText(text);
    QString converted = QString::fromUtf8(unicode.data(), static_cast<qsizetype>(unicode.size()));
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

inline std::string FromQt(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace thld
