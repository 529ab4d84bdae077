#pragma once
// How the program's windows look: the desktop's own style and palette (light or dark as the
// desktop is), or the program's classic two colours, chosen in the View menu and kept in the
// settings file. Either way the tree's tick boxes and expand arrows are drawn in the text colour
// of their row, so that they stand out from any background.

#include <QPalette>

#include <optional>
#include <string>

namespace thld {

enum class Look {
    Desktop,  // the platform's style and palette
    Classic,  // dark blue and yellow, on the Fusion style
};

// "desktop" or "classic", as kept in the settings file; nothing for any other text.
const char* LookWord(Look look);
std::optional<Look> LookFromWord(const std::string& word);

// The palette of the desktop look: the platform's own where a desktop theme gave one; where none
// did (the platform palette is Fusion's built-in light one), Fusion's light or a dark palette as the
// desktop's colour-scheme setting prefers.
QPalette DesktopPalette(const QPalette& platform, const QPalette& fusionDefault, bool prefersDark);

// Whether the desktop asks programs for dark colours: GTK_THEME ending in ":dark", or GNOME's
// colour-scheme (or, before it, its theme name) saying so; on Qt's offscreen platform only
// GTK_THEME counts. Asked once a run.
bool DesktopPrefersDark();

// The palette with its disabled texts at least 3:1 against the background they are drawn on
// (buttons, windows, fields), so that a disabled button can still be read: a disabled text too
// faint is moved towards the enabled one until it is.
QPalette WithReadableDisabledText(QPalette palette);

// Gives the whole program the look: its style and palette, for the windows open now and later; the
// desktop look is dark where `dark` says so (by default where the desktop asks for it).
void ApplyLook(Look look, bool dark = DesktopPrefersDark());

}  // namespace thld
