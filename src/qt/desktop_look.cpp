#include "qt/desktop_look.h"

#include <QApplication>
#include <QProcess>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <cmath>
#include <utility>

#include "qt/indicator_style.h"
#include "qt/program_colours.h"

namespace thld {

namespace {

QPalette DarkPalette()
{
    const QColor window(45, 45, 48), base(30, 30, 32), text(235, 235, 235), dimmed(130, 130, 130);
    QPalette palette(window);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::AlternateBase, QColor(40, 40, 43));
        palette.setColor(group, QPalette::Button, QColor(58, 58, 62));
        palette.setColor(group, QPalette::ToolTipBase, window);
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
            palette.setColor(group, role, disabled ? dimmed : text);
        palette.setColor(group, QPalette::BrightText, Qt::white);
        palette.setColor(group, QPalette::PlaceholderText, dimmed);
        palette.setColor(group, QPalette::Highlight, disabled ? QColor(70, 70, 74) : QColor(42, 110, 190));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::Link, QColor(110, 170, 240));
        palette.setColor(group, QPalette::Light, QColor(75, 75, 80));
        palette.setColor(group, QPalette::Midlight, QColor(62, 62, 66));
        palette.setColor(group, QPalette::Mid, QColor(35, 35, 38));
        palette.setColor(group, QPalette::Dark, QColor(25, 25, 27));
        palette.setColor(group, QPalette::Shadow, Qt::black);
    }
    return palette;
}

// A small text from a program of the desktop's, or nothing within a second.
QString Asked(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForFinished(1000)) {
        process.kill();
        process.waitForFinished(200);
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput().left(256)).trimmed();
}

// What the platform gave before any look was applied.
struct PlatformLook {
    QString style;
    QPalette palette;
};

const PlatformLook& Platform()
{
    static const PlatformLook platform{QApplication::style()->name(), QApplication::palette()};
    return platform;
}

}  // namespace

const char* LookWord(Look look) { return look == Look::Classic ? "classic" : "desktop"; }

std::optional<Look> LookFromWord(const std::string& word)
{
    if (word == "desktop")
        return Look::Desktop;
    if (word == "classic")
        return Look::Classic;
    return std::nullopt;
}

QPalette DesktopPalette(const QPalette& platform, const QPalette& fusionDefault, bool prefersDark)
{
    const bool themed = platform.color(QPalette::Window) != fusionDefault.color(QPalette::Window) ||
                        platform.color(QPalette::Text) != fusionDefault.color(QPalette::Text);
    if (themed)
        return platform;
    return prefersDark ? DarkPalette() : fusionDefault;
}

bool DesktopPrefersDark()
{
    static const bool dark = [] {
        const QString gtkTheme = qEnvironmentVariable("GTK_THEME");
        if (!gtkTheme.isEmpty())
            return gtkTheme.endsWith(QStringLiteral(":dark"), Qt::CaseInsensitive);
        if (QGuiApplication::platformName() == QStringLiteral("offscreen"))
            return false;  // no desktop to ask
        const QString gsettings = QStringLiteral("gsettings");
        if (Asked(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                              QStringLiteral("color-scheme")})
                .contains(QStringLiteral("dark")))
            return true;
        return Asked(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                                 QStringLiteral("gtk-theme")})
            .contains(QStringLiteral("dark"), Qt::CaseInsensitive);
    }();
    return dark;
}

namespace {

double Luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Mixed(const QColor& from, const QColor& to, double share)
{
    return QColor::fromRgbF(static_cast<float>(from.redF() + (to.redF() - from.redF()) * share),
                            static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * share),
                            static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * share));
}

}  // namespace

QPalette WithReadableDisabledText(QPalette palette)
{
    // 4.5:1 against the plain background, as text is asked to be; and, as styles fill buttons and
    // headers with lighter shades of it (up to half again as light), 4:1 against that, so that the
    // smoothed letters still show over 3:1 on the drawn button.
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
    };
    for (const auto& [text, background] : pairs) {
        const QColor plain = palette.color(QPalette::Disabled, background);
        const QColor shaded = plain.lighter(150);
        const QColor faint = palette.color(QPalette::Disabled, text);
        const QColor enabled = palette.color(QPalette::Active, text);
        QColor shown = faint;
        for (int step = 1; step <= 10 && (Contrast(shown, plain) < 4.5 || Contrast(shown, shaded) < 4.0); ++step)
            shown = Mixed(faint, enabled, step / 10.0);
        palette.setColor(QPalette::Disabled, text, shown);
    }
    return palette;
}

void ApplyLook(Look look, bool dark)
{
    static std::optional<std::pair<Look, bool>> applied;
    if (applied == std::pair(look, dark))
        return;
    applied = std::pair(look, dark);
    const PlatformLook& platform = Platform();
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    const QPalette fusionDefault = fusion->standardPalette();
    if (look == Look::Classic) {
        QApplication::setStyle(new IndicatorStyle(fusion));
        QApplication::setPalette(WithReadableDisabledText(ProgramPalette(fusionDefault)));
        return;
    }
    delete fusion;
    QStyle* base = QStyleFactory::create(platform.style);
    if (!base)
        base = QStyleFactory::create(QStringLiteral("Fusion"));
    QApplication::setStyle(new IndicatorStyle(base));
    QApplication::setPalette(WithReadableDisabledText(DesktopPalette(platform.palette, fusionDefault, dark)));
}

}  // namespace thld
