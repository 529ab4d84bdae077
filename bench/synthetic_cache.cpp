#include "synthetic_cache.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "package/package_kind.h"

namespace thld::bench {

namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    std::uint64_t Below(std::uint64_t n) { return engine_() % n; }
    std::uint64_t Between(std::uint64_t low, std::uint64_t high) { return low + Below(high - low + 1); }
    // Spread evenly over the logarithm, as file sizes are.
    std::uint64_t LogBetween(std::uint64_t low, std::uint64_t high)
    {
        double unit = static_cast<double>(engine_() >> 11) / 9007199254740992.0;
        return static_cast<std::uint64_t>(low * std::pow(static_cast<double>(high) / low, unit));
    }
    template <typename T, std::size_t N>
    const T& Of(const std::array<T, N>& from)
    {
        return from[Below(N)];
    }

private:
    std::mt19937_64 engine_;
};

constexpr std::array<std::string_view, 48> kSyllables{
    "Mor",  "phe", "us",  "Fac",  "ing",  "Worl", "Deck", "Ab",    "lee",  "Ba",   "by",   "lon",
    "Flux", "Na",  "li",  "Vil",  "lage", "Gol",  "den",  "Stack", "Tem",  "ple",  "Ar",   "chi",
    "Rock", "et",  "Cur", "se",   "Dark", "Sky",  "Town", "Cita",  "del",  "Ze",   "ta",   "Kos",
    "mos",  "Ha",  "lo",  "Grim", "Tox",  "Rage", "Shri", "ne",    "Fort", "ress", "Gala", "xy"};
constexpr std::array<std::string_view, 7> kMapPrefixes{"DM-", "CTF-", "DOM-", "AS-", "MH-", "BT-", "DM-"};
constexpr std::array<std::string_view, 8> kMapSuffixes{"", "", "", "][", "_v2", " 2k", "-LE", "SE"};
constexpr std::array<std::string_view, 8> kTextureSuffixes{"Tex", "FX", "Skins", "Deco", "Sky", "Walls", "", "Tex2"};
constexpr std::array<std::string_view, 6> kScriptPrefixes{"", "XC_", "sg", "BDB", "Zp", ""};
constexpr std::array<std::string_view, 8> kScriptSuffixes{"", "Mod", "Weapons", "Vote304", "_r3", "v2", "Pack", "Util"};

// The game's own packages: named in many packages, never in the cache.
constexpr std::array<std::string_view, 16> kStockPackages{
    "Engine",   "Core",      "Botpack",    "UnrealShare", "UnrealI", "Fire",   "GenFX",   "GenIn",
    "GenFluid", "AmbModern", "AmbOutside", "DoorsMod",    "Liquids", "RainFX", "UTtech1", "SkyBox"};

// The first names of each kind's name table, which the kind rules look for in the first 512 bytes.
const std::vector<std::string_view> kMapFirstNames{
    "None",   "PrunedPaths", "Vector",      "upstreamPaths",   "Paths", "PointRegion", "Tag",    "Level",
    "Region", "Location",    "OldLocation", "VisNoReachPaths", "Scale", "Brush",       "Rotator"};
const std::vector<std::string_view> kTextureFirstNames{"None",     "InternalTime", "Color",  "Palette", "Texture",
                                                       "USize",    "VSize",        "UClamp", "VClamp",  "MipZero",
                                                       "MaxColor", "bMasked",      "UBits",  "VBits"};
const std::vector<std::string_view> kScriptFirstNames{
    "None",         "SpriteAnim", "Core", "UnrealShare", "Engine",          "System",
    "EffectSound1", "DrawScale",  "Tick", "Timer",       "LightBrightness", "Skin"};
// Names of objects and properties that fill the rest of a name table.
constexpr std::array<std::string_view, 24> kFillerNames{
    "InventorySpot", "PathNode",     "Light",        "Brush",        "PlayerStart", "Mover",
    "Trigger",       "ZoneInfo",     "BlockAll",     "Camera",       "LiftExit",    "Teleporter",
    "AmbientSound",  "Spotlight",    "TriggerLight", "SpecialEvent", "Dispatcher",  "Counter",
    "Decoration",    "WarpZoneInfo", "SkyZoneInfo",  "PlayerShip",   "Pickup",      "Projectile"};

std::string Syllables(Random& random, std::size_t count)
{
    std::string word;
    for (std::size_t i = 0; i < count; ++i)
        word += random.Of(kSyllables);
    return word;
}

std::string PackageName(Random& random, SyntheticKind kind)
{
    switch (kind) {
    case SyntheticKind::Map:
        return std::string(random.Of(kMapPrefixes)) + Syllables(random, 1 + random.Below(3)) +
               std::string(random.Of(kMapSuffixes));
    case SyntheticKind::Textures:
        return Syllables(random, 1 + random.Below(2)) + std::string(random.Of(kTextureSuffixes));
    case SyntheticKind::Script:
        return std::string(random.Of(kScriptPrefixes)) + Syllables(random, 1 + random.Below(2)) +
               std::string(random.Of(kScriptSuffixes));
    }
    return {};
}

std::string Extension(SyntheticKind kind)
{
    return kind == SyntheticKind::Map ? ".unr" : kind == SyntheticKind::Textures ? ".utx" : ".u";
}

void PutU16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void PutU32(std::string& out, std::uint64_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One name-table entry as the game writes it: length with the terminator, the name, the
// terminator, four bytes of object flags.
void PutName(std::string& out, std::string_view name, bool publicFlags)
{
    out += static_cast<char>(name.size() + 1);
    out += name;
    out += '\0';
    out += publicFlags ? std::string_view("\x10\x04\x07\x04", 4) : std::string_view("\x10\x00\x07\x00", 4);
}

std::string Header(const std::string& key, std::uint32_t names, std::uint64_t size)
{
    std::string out("\xC1\x83\x2A\x9E", 4);
    PutU16(out, 69);  // file version
    PutU16(out, 0);   // licensee
    PutU32(out, 1);   // package flags
    PutU32(out, names);
    PutU32(out, 64);  // the name table follows the header
    PutU32(out, names / 3);
    PutU32(out, size - size / 8);
    PutU32(out, names / 6);
    PutU32(out, size - size / 16);
    for (std::size_t i = 0; i < 32; i += 2)  // the GUID
        out += static_cast<char>(std::stoi(key.substr(i, 2), nullptr, 16));
    PutU32(out, 1);  // one generation
    PutU32(out, names / 3);
    PutU32(out, names);
    return out;
}

// Bytes of the tables that follow a script package's names: anything but a run of 0xFF bytes.
void PutTables(Random& random, std::string& out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        auto byte = static_cast<unsigned char>(random.Below(256));
        if (byte == 0xFF && i % 4 == 3)
            byte = 0x7F;
        out += static_cast<char>(byte);
    }
}

// The header and the name table (and, for script packages, the tables after it) up to about
// `length` bytes, with the names of the required packages at random places among the filler.
// A compact index as packages write it.
void PutCompact(std::string& out, std::uint32_t value)
{
    out += static_cast<char>((value & 0x3F) | (value >= 0x40 ? 0x40 : 0));
    for (value >>= 6; value != 0; value >>= 7)
        out += static_cast<char>((value & 0x7F) | (value >= 0x80 ? 0x80 : 0));
}

std::string Head(Random& random, const SyntheticPackage& p, const std::vector<SyntheticPackage>& all,
                 std::size_t length, std::vector<std::uint32_t>& imported)
{
    const auto& first = p.kind == SyntheticKind::Map        ? kMapFirstNames
                        : p.kind == SyntheticKind::Textures ? kTextureFirstNames
                                                            : kScriptFirstNames;
    std::vector<std::string> names(first.begin(), first.end());
    std::string table;
    for (const std::string& name : names)
        PutName(table, name, true);
    // Filler up to the length, with the stock and required packages' names among it.
    std::vector<std::string> special;
    for (std::size_t r : p.named)
        special.push_back(all[r].value.substr(0, all[r].value.rfind('.')));
    for (std::size_t i = 0, stock = 2 + random.Below(6); i < stock; ++i)
        special.emplace_back(random.Of(kStockPackages));
    std::size_t expected = std::max<std::size_t>(1, (length - std::min(length, table.size() + 64)) / 20);
    std::size_t count = names.size();
    while (64 + table.size() + 40 < length) {
        if (!special.empty() && random.Below(expected / special.size() + 1) == 0) {
            PutName(table, special.back(), false);
            imported.push_back(static_cast<std::uint32_t>(count));
            special.pop_back();
        } else {
            std::string filler(random.Of(kFillerNames));
            if (random.Below(3) != 0)
                filler += std::to_string(random.Below(200));
            PutName(table, filler, random.Below(2) == 0);
        }
        ++count;
    }
    for (; !special.empty(); special.pop_back(), ++count) {
        PutName(table, special.back(), false);
        imported.push_back(static_cast<std::uint32_t>(count));
    }
    // The names of an import of a package: its class's package and class.
    PutName(table, "Core", false);
    PutName(table, "Package", false);
    count += 2;
    return Header(p.key, static_cast<std::uint32_t>(count), p.size) + table;
}

// The import table: each name of `imported` imported as a package (class Core.Package, no outer),
// the two class names being the name table's last two.
std::string ImportTable(const std::string& head, const std::vector<std::uint32_t>& imported)
{
    const auto names =
        static_cast<std::uint32_t>(static_cast<unsigned char>(head[12]) | static_cast<unsigned char>(head[13]) << 8 |
                                   static_cast<unsigned char>(head[14]) << 16);
    std::string table;
    for (std::uint32_t name : imported) {
        PutCompact(table, names - 2);
        PutCompact(table, names - 1);
        PutU32(table, 0);
        PutCompact(table, name);
    }
    return table;
}

std::string Key(Random& random)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string key;
    for (int i = 0; i < 32; ++i)
        key += kHex[random.Below(16)];
    return key;
}

}  // namespace

std::vector<SyntheticPackage> PlanCache(std::size_t count, std::uint64_t seed)
{
    Random random(seed);
    std::vector<SyntheticPackage> packages(count);
    std::set<std::string> taken(kStockPackages.begin(), kStockPackages.end());
    std::vector<std::size_t> requirable;
    for (std::size_t i = 0; i < count; ++i) {
        SyntheticPackage& p = packages[i];
        std::uint64_t roll = random.Below(100);
        p.kind = roll < 40 ? SyntheticKind::Map : roll < 75 ? SyntheticKind::Textures : SyntheticKind::Script;
        std::string name = PackageName(random, p.kind);
        while (!taken.insert(name).second)
            name += static_cast<char>('0' + random.Below(10));
        p.value = name + Extension(p.kind);
        p.key = Key(random);
        if (p.kind != SyntheticKind::Map)
            requirable.push_back(i);
    }
    for (std::size_t i = 0; i < count; ++i) {
        SyntheticPackage& p = packages[i];
        std::size_t headLength = 0;
        switch (p.kind) {
        case SyntheticKind::Map:
            p.size = random.LogBetween(512 * 1024, 8 * 1024 * 1024);
            headLength = random.Between(8 * 1024, 50 * 1024) - 4;
            break;
        case SyntheticKind::Textures:
            p.size = random.LogBetween(200 * 1024, 20 * 1024 * 1024);
            headLength = random.LogBetween(512, 3 * 1024);
            break;
        case SyntheticKind::Script:
            p.size = random.LogBetween(20 * 1024, 2 * 1024 * 1024);
            headLength = random.LogBetween(800, 16 * 1024);
            break;
        }
        if (p.kind != SyntheticKind::Textures && requirable.size() > 1) {
            std::size_t wanted = 1 + random.Below(6);
            for (std::size_t tries = 0; p.named.size() < wanted && tries < 50; ++tries) {
                std::size_t r = requirable[random.Below(requirable.size())];
                if (r != i && std::find(p.named.begin(), p.named.end(), r) == p.named.end())
                    p.named.push_back(r);
            }
        }
        std::vector<std::uint32_t> imported;
        p.head = Head(random, p, packages, headLength, imported);
        if (p.kind == SyntheticKind::Map)
            p.head.append(2 + random.Below(3), '\xBF');  // maps: the run follows 2 to 4 bytes later
        if (p.kind == SyntheticKind::Script)
            PutTables(random, p.head, random.LogBetween(4, 4096));
        if (p.size < p.head.size() + 8)
            p.size = p.head.size() + 8 + random.Below(4096);

        bool noRun = (p.kind == SyntheticKind::Textures && random.Below(50) == 0) ||
                     (p.kind == SyntheticKind::Script && random.Below(200) == 0);
        if (noRun)
            p.runAt = p.size;
        else if (p.kind == SyntheticKind::Textures)
            p.runAt = random.Between(p.head.size(), p.size - 8);  // somewhere in the pixel data
        else
            p.runAt = p.head.size();
        // The import table closes the file, after the run.
        p.imports = ImportTable(p.head, imported);
        if (p.size < p.head.size() + 8 + p.imports.size() + 64)
            p.size = p.head.size() + 8 + p.imports.size() + 64;
        p.runAt = std::min<std::uint64_t>(p.runAt, p.size - p.imports.size() - 8);
        if (noRun)
            p.runAt = p.size;
        p.region = p.runAt;
        std::string count, offset;
        PutU32(count, imported.size());
        PutU32(offset, p.size - p.imports.size());
        p.head.replace(28, 4, count);
        p.head.replace(32, 4, offset);

        PackageKind told = KindOfWindow(reinterpret_cast<const unsigned char*>(p.head.data()),
                                        std::min(p.head.size(), kKindWindowSize));
        PackageKind meant = p.kind == SyntheticKind::Map        ? kind::Map
                            : p.kind == SyntheticKind::Textures ? kind::Textures
                                                                : kind::Script;
        if (told != meant)
            throw std::logic_error("synthetic package of the wrong kind: " + p.value);
    }
    return packages;
}

void WriteCache(const std::vector<SyntheticPackage>& packages, const std::string& cacheFolder)
{
    std::filesystem::create_directories(cacheFolder);
    std::string index = "[Cache]\r\n";
    for (const SyntheticPackage& p : packages) {
        index += p.key + "=" + p.value + "\r\n";
        std::string path = cacheFolder + p.key + ".uxx";
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(p.head.data(), static_cast<std::streamsize>(p.head.size()));
            if (p.runAt < p.size) {
                out.seekp(static_cast<std::streamoff>(p.runAt));
                out.write("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8);
            }
            out.seekp(static_cast<std::streamoff>(p.size - p.imports.size()));
            out.write(p.imports.data(), static_cast<std::streamsize>(p.imports.size()));
            if (!out)
                throw std::runtime_error("cannot write " + path);
        }
        std::filesystem::resize_file(path, p.size);  // the rest stays a hole
    }
    index += "\r\n";
    std::ofstream(cacheFolder + "cache.ini", std::ios::binary | std::ios::trunc) << index;
}

void WriteLayout(const std::vector<SyntheticPackage>& packages, const std::string& path)
{
    std::ofstream out(path, std::ios::trunc);
    for (const SyntheticPackage& p : packages) {
        char kind = p.kind == SyntheticKind::Map ? 'M' : p.kind == SyntheticKind::Textures ? 'T' : 'S';
        out << p.key << ' ' << kind << ' ' << p.size << ' ' << p.region << ' ';
        for (std::size_t i = 0; i < p.named.size(); ++i)
            out << (i ? "," : "") << p.named[i];
        out << (p.named.empty() ? "-\n" : "\n");
    }
}

std::vector<LayoutLine> ReadLayout(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<LayoutLine> lines;
    LayoutLine line;
    std::string named;
    while (in >> line.key >> line.kind >> line.size >> line.region >> named) {
        line.named.clear();
        std::istringstream numbers(named == "-" ? "" : named);
        for (std::string number; std::getline(numbers, number, ',');)
            line.named.push_back(std::stoull(number));
        lines.push_back(line);
    }
    return lines;
}

}  // namespace thld::bench
