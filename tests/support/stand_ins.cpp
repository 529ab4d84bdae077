#include "support/stand_ins.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld::test {

namespace {

struct GameFolderOf {
    const char* folder;
    const char* extension;
    const char* packages;
};

constexpr GameFolderOf kPackages[] = {
    {"System", ".u", "Botpack Core Engine Fire UBrowser UMenu UnrealI UnrealShare UWeb UWindow"},
    {"Textures", ".utx",
     "Ancient city Coret_FX DecayedS Detail DMeffects Egypt FireEng GenEarth GenFluid GenFX GenIn GenTerra GreatFire "
     "Indus1 LavaFX Liquids Metalmys Mine NaliCast NaliFX Palettes PlayrShp RainFX ShaneDay ShaneSky Skaarj SkyBox "
     "Skycity Slums SpaceFX Starship TrenchesFX UT UTcrypt UTtech1 UTtech2 UTtech3 XFX"},
    {"Sounds", ".uax", "AmbAncient AmbModern AmbOutside DDay DoorsAnc DoorsMod"},
    {"Music", ".umx", "Botpck10 Cannon Razor-ub Run Seeker Skyward Wheels"},
};

}  // namespace

void LayStandIns(const std::string& gameFolder)
{
    std::uint32_t number = 0;
    for (const GameFolderOf& of : kPackages) {
        const std::string folder = gameFolder + of.folder + "/";
        std::filesystem::create_directories(FsPath(folder));
        std::istringstream names(of.packages);
        for (std::string name; names >> name;) {
            std::ofstream out(FsPath(folder + name + of.extension), std::ios::binary);
            out << MadePackageBytes({name, "Core", "Package", "None"}, {}, {0x57414E44, 0, 0, ++number});
        }
    }
}

}  // namespace thld::test
