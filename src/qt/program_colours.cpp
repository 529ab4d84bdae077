#include "qt/program_colours.h"

#include <QColor>

namespace thld {

namespace {
const QColor kBackground(33, 33, 115);
const QColor kText(206, 206, 74);
}  // namespace

QPalette ProgramPalette(QPalette palette)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = group == QPalette::Disabled ? kText.darker(160) : kText;
        for (QPalette::ColorRole role :
             {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::ToolTipBase})
            palette.setColor(group, role, kBackground);
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ToolTipText, QPalette::BrightText})
            palette.setColor(group, role, text);
        palette.setColor(group, QPalette::PlaceholderText, kText.darker(150));
        // A selection shows the two colours the other way round.
        palette.setColor(group, QPalette::Highlight, group == QPalette::Inactive ? kText.darker(130) : kText);
        palette.setColor(group, QPalette::HighlightedText, kBackground);
        palette.setColor(group, QPalette::Link, kText);
        // Buttons, headers and frames in shades of the blue, so that nothing keeps the platform's grey;
        // dark enough that a style's lighter shading of a button keeps the yellow readable on it.
        palette.setColor(group, QPalette::Button, kBackground.lighter(115));
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Light, kBackground.lighter(220));
        palette.setColor(group, QPalette::Midlight, kBackground.lighter(180));
        palette.setColor(group, QPalette::Mid, kBackground.darker(130));
        palette.setColor(group, QPalette::Dark, kBackground.darker(160));
        palette.setColor(group, QPalette::Shadow, kBackground.darker(250));
    }
    return palette;
}

}  // namespace thld
