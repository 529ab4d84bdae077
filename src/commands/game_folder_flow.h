#pragma once
// The game folder as a window handles it: found at start through FindInstallation (the stored entry,
// else an installation the launchers name, else the picker after the entry's message), changed
// with the Change button (a question, then the picker) or to another installation found (a
// chooser), and asked for when the cache looks empty (a question; No ends the window). Each window
// shows what it is given and lists the cache; the flow is the same in all of them.

#include <string>
#include <vector>

#include "commands/user_prompt.h"
#include "game/game_folder.h"
#include "game/installation.h"

namespace thld {

class GameFolderFlow {
public:
    // What the window that hosts the flow does for it.
    class Host {
    public:
        virtual ~Host() = default;
        // The folders are set: show the cache folder and list the cache afresh.
        virtual void UseFolders(const GameFolders& folders) = 0;
        // The user declined to pick a folder for an empty cache: the window ends.
        virtual void EndWindow() = 0;
    };

    // The first-run box before the picker goes through the prompt's Offer, in the words of the
    // places' system, as does the picker's title.
    GameFolderFlow(GameEntryStore& store, FolderPicker& picker, const SearchPlaces& places, UserPrompt& prompt,
                   Host& window)
        : store_(store), picker_(picker), places_(places), prompt_(prompt), window_(window)
    {}

    // At start: true when a folder was found (or picked) and used; false when the first-run box or
    // the picker was cancelled, and nothing changed.
    bool Find();
    // The Change button.
    void Change();
    // The empty-cache question, after a listing found cache.ini missing or without a line.
    void AskAboutEmptyCache();

    // Every installation found on the machine by the last search (the stored one first), for a
    // chooser; and the one of them to use instead, without storing it.
    const std::vector<Installation>& Installations() const { return installations_; }
    void UseInstallation(std::size_t index);

    // Empty until a folder has been used.
    const GameFolders& Folders() const { return folders_; }

private:
    // The stored folder, or the picker after the store's message; false when the picker is cancelled.
    bool FindAndUse();
    void SelectAndUse();

    GameEntryStore& store_;
    FolderPicker& picker_;
    const SearchPlaces& places_;
    UserPrompt& prompt_;
    Host& window_;
    GameFolders folders_;
    std::vector<Installation> installations_;
};

}  // namespace thld
