#include "game/process_scanner.h"

#include "platform/process_list.h"

namespace thld {

std::string ComparableExeName(std::string_view reported, LeadByteTest isLeadByte)
{
    std::string name;
    for (std::size_t i = 0; i < reported.size(); ++i) {
        auto byte = static_cast<unsigned char>(reported[i]);
        if (isLeadByte(byte) && i + 1 < reported.size()) {
            name += reported[i];
            name += reported[++i];
        } else if (byte == '\\') {
            name.clear();
        } else {
            name += UpperAscii(reported[i]);
        }
    }
    return name;
}

bool AnyProcessNamed(const std::vector<std::string>& reported, std::string_view name, LeadByteTest isLeadByte)
{
    for (const std::string& one : reported) {
        if (ComparableExeName(one, isLeadByte) == name)
            return true;
    }
    return false;
}

ProcessScanner::ProcessScanner(NameSource source, LeadByteTest isLeadByte)
    : source_(source ? std::move(source) : NameSource(RunningProcessNames)), isLeadByte_(isLeadByte)
{}

bool ProcessScanner::IsRunning(std::string_view name) const { return AnyProcessNamed(source_(), name, isLeadByte_); }

bool ProcessScanner::IsAnyRunning(const std::vector<std::string_view>& names) const
{
    const std::vector<std::string> reported = source_();
    for (std::string_view name : names) {
        if (AnyProcessNamed(reported, name, isLeadByte_))
            return true;
    }
    return false;
}

const char* RunningGameMessage(const ProcessScanner& scanner)
{
    std::vector<std::string_view> gameNames = {kGameIconName, kGameName};
    gameNames.insert(gameNames.end(), std::begin(kNativeGameNames), std::end(kNativeGameNames));
    if (scanner.IsAnyRunning(gameNames))
        return kGameRunningMessage;
    if (scanner.IsRunning(kEditorName))
        return kEditorRunningMessage;
    return nullptr;
}

}  // namespace thld
