#include "game/process_scanner.h"

#include <utility>

#include "platform/process_list.h"

namespace thld {

std::string ComparableExeName(std::string_view reported)
{
    return UpperAsciiText(reported.substr(reported.rfind('\\') + 1));
}

bool AnyProcessNamed(const std::vector<std::string>& reported, std::string_view name)
{
    for (const std::string& one : reported) {
        if (ComparableExeName(one) == name)
            return true;
    }
    return false;
}

namespace {
ProcessScanner::NameSource& SystemNames()
{
    static ProcessScanner::NameSource names;
    return names;
}
}  // namespace

ProcessScanner::NameSource SetSystemProcessNames(ProcessScanner::NameSource source)
{
    return std::exchange(SystemNames(), std::move(source));
}

ProcessScanner::ProcessScanner(NameSource source)
    : source_(source          ? std::move(source)
              : SystemNames() ? SystemNames()
                              : NameSource(RunningProcessNames))
{}

bool ProcessScanner::IsRunning(std::string_view name) const { return AnyProcessNamed(source_(), name); }

bool ProcessScanner::IsAnyRunning(const std::vector<std::string_view>& names) const
{
    const std::vector<std::string> reported = source_();
    for (std::string_view name : names) {
        if (AnyProcessNamed(reported, name))
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
