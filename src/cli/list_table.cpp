// The cache as a table for people.
#include <algorithm>
#include <cstdint>

#include "cli/cache_view.h"
#include "cli/terminal_text.h"
#include "commands/messages.h"

namespace thld::cli {

namespace {

constexpr std::size_t kGap = 2;
constexpr std::size_t kNarrowestName = 12;
constexpr const char* kRequiresLabel = "    requires ";

Style KindStyle(PackageKind kind)
{
    if (kind == kind::Map)
        return Style::Map;
    if (kind == kind::Textures)
        return Style::Textures;
    if (kind == kind::Script)
        return Style::Script;
    return Style::Dim;
}

std::string AgeText(const PackageItem& item, std::int64_t now)
{
    if (item.modified <= 0)
        return "?";
    return std::to_string(std::max<std::int64_t>(0, now - item.modified) / 86400) + "d";
}

struct Cells {
    std::string name, kind, size, age, copy;
};

struct Widths {
    std::size_t name = 0, kind = 0, size = 0, age = 0, copy = 0;

    void Fit(const Cells& cells)
    {
        name = std::max(name, Columns(cells.name));
        kind = std::max(kind, Columns(cells.kind));
        size = std::max(size, Columns(cells.size));
        age = std::max(age, Columns(cells.age));
        copy = std::max(copy, Columns(cells.copy));
    }
};

// The requirements below a package, wrapped to the width: "requires A, B, C".
std::string RequirementLines(const std::vector<std::string>& requirements, std::size_t width, Console& console)
{
    const std::size_t indent = Columns(kRequiresLabel);
    const std::size_t room = width > indent + 8 ? width - indent : 8;
    std::string lines = kRequiresLabel;
    WordLines names(lines, room, indent);
    for (std::size_t i = 0; i < requirements.size(); ++i) {
        std::string name = Shortened(PrintableText(requirements[i]), room - 1);
        if (i + 1 < requirements.size())
            name += ',';
        names.Add(console.OutStyled(Style::Dim, name), Columns(name));
    }
    return lines + '\n';
}

}  // namespace

void PrintTable(const CacheView& view, bool inBytes, Console& console)
{
    const std::vector<PackageItem>& items = view.listing.items;
    const bool copies = std::any_of(view.installed.begin(), view.installed.end(),
                                    [](const InstalledPackages::Found& f) { return f.copy != InstalledCopy::None; });
    const Cells header{"Package", "Kind", "Size", "Age", copies ? "In game" : ""};
    auto size = [&](std::uint64_t bytes) { return inBytes ? std::to_string(bytes) : HumanSize(bytes); };
    std::vector<Cells> rows;
    rows.reserve(items.size());
    Widths widths;
    widths.Fit(header);
    for (std::size_t i : view.order) {
        const PackageItem& item = items[i];
        rows.push_back({PrintableText(item.name), std::string(item.kind), size(item.size), AgeText(item, view.now),
                        view.installed.empty() ? "" : InstalledCopyWord(view.installed[i].copy)});
        widths.Fit(rows.back());
    }
    const std::size_t others = widths.kind + widths.size + widths.age + 3 * kGap + (copies ? widths.copy + kGap : 0);
    const std::size_t room = console.Width() > others + kNarrowestName ? console.Width() - others : kNarrowestName;
    widths.name = std::min(widths.name, room);

    const std::string gap(kGap, ' ');
    auto line = [&](const Cells& cells, auto style) {
        std::string text = PaddedRight(Shortened(cells.name, widths.name), widths.name) + gap +
                           style(KindStyle(cells.kind), PaddedRight(cells.kind, widths.kind)) + gap +
                           PaddedLeft(cells.size, widths.size) + gap + PaddedLeft(cells.age, widths.age);
        if (copies)
            text += gap + style(cells.copy == "different" ? Style::Bad : Style::Good, cells.copy);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text + '\n';
    };
    auto styled = [&](Style style, const std::string& text) { return console.OutStyled(style, text); };
    auto plain = [](Style, const std::string& text) { return text; };

    std::string out;
    out.reserve(items.size() * 100);
    if (!rows.empty()) {
        std::string heading = line(header, plain);
        heading.pop_back();
        out += console.OutStyled(Style::Strong, heading) + '\n';
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += line(rows[r], styled);
        const PackageItem& item = items[view.order[r]];
        if (!item.requirements.empty())
            out += RequirementLines(item.requirements, console.Width(), console);
        if (out.size() > (1 << 16)) {
            console.Out(out);
            out.clear();
        }
    }
    out += console.OutStyled(Style::Strong, messages::TotalCache(view.listing.total)) + " (" +
           size(view.listing.total) + (inBytes ? " bytes in " : " in ") + std::to_string(items.size()) +
           (items.size() == 1 ? " package)\n" : " packages)\n");
    console.Out(out);
}

}  // namespace thld::cli
