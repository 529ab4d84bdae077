#pragma once
// The game-folder search's texts as a player of this system reads them: on Linux and macOS the
// game keeps no registry entry and paths have no drive letters, so the window says so in the
// platform's words; on Windows the texts stay as they are.

#include <string>

#include "commands/user_prompt.h"
#include "game/game_folder.h"
#include "game/installation.h"

namespace thld {

// The text to show for one of the search's own texts (any other text is returned as it is).
std::string PlatformWords(const std::string& text, SearchPlaces::System system);

// A picker that shows the chooser under the platform's title.
class PlatformPicker : public FolderPicker {
public:
    PlatformPicker(FolderPicker& picker, SearchPlaces::System system) : picker_(picker), system_(system) {}
    std::optional<std::string> Pick(const std::string& title) override
    {
        return picker_.Pick(PlatformWords(title, system_));
    }

private:
    FolderPicker& picker_;
    SearchPlaces::System system_;
};

// A prompt that tells the search's messages in the platform's words.
class PlatformPrompt : public UserPrompt {
public:
    PlatformPrompt(UserPrompt& prompt, SearchPlaces::System system) : prompt_(prompt), system_(system) {}
    bool Confirm(const std::string& title, const std::string& message) override
    {
        return prompt_.Confirm(title, message);
    }
    void Tell(const std::string& message) override { prompt_.Tell(PlatformWords(message, system_)); }

private:
    UserPrompt& prompt_;
    SearchPlaces::System system_;
};

}  // namespace thld
