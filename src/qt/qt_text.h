#pragma once
// The core's texts are 8-bit strings (names as cache.ini holds them, UTF-8 on this system); Qt's are
// QString. Line breaks in the core's messages are "\r\n", which Qt's labels want as "\n".

#include <QString>

#include <string>
#include <string_view>

namespace thld {

inline QString ToQt(std::string_view text)
{
    QString converted = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

inline std::string FromQt(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace thld
