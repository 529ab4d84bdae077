#pragma once
// The record of one step that takes a package out of the cache (its line leaves cache.ini, its file
// is deleted or moved into the game's folders) or puts an installed one back into it (its file moves
// into the cache under its GUID, and its line is added), kept beside cache.ini while the step is under way:
// written whole and synced before the step's first change, removed after its last. Read back it is
// untrusted input: bounded, and refused unless whole and well formed.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thld {

inline constexpr const char* kStepJournalFileName = "cache.ini.tallyhold-journal";
inline constexpr std::size_t kMaxStepJournalBytes = 64 * 1024;
// A batch of steps carried out together (a run of Deletes) has one record each in one file.
inline constexpr std::size_t kMaxStepJournalFileBytes = 8 * 1024 * 1024;

struct StepJournal {
    enum class Kind {
        Delete,
        Move,
        Return,  // from `destination` in the game's folders to `source` in the cache
    };
    Kind kind = Kind::Delete;
    std::string line;         // the entry line, stripped, as the program's text
    std::string source;       // the cached file (Return: the one it becomes)
    std::string aside;        // Delete: where the file waits; Move: where a replaced file waits, or empty
    std::string destination;  // Move: where the file goes; Return: where it comes from
    std::string gameFolder;   // Move, Return: the game folder the destination lies in

    bool operator==(const StepJournal&) const = default;
};

// The record as its file holds it: one field to a line, control bytes and "%" written as %XX.
std::string EncodeStepJournal(const StepJournal& record);

// The record of a file's bytes; nothing when they are not one whole record: too long, a field
// missing, unknown, repeated or too long, a bad escape, no end line, or bytes after it.
std::optional<StepJournal> ParseStepJournal(std::string_view bytes);

// The records of a batch, one whole record after the other.
std::string EncodeStepJournals(const std::vector<StepJournal>& records);

// The records of a file's bytes: one or more whole records, one after the other; nothing when the
// bytes are anything else (too long, empty, a record that ParseStepJournal refuses).
std::optional<std::vector<StepJournal>> ParseStepJournals(std::string_view bytes);

}  // namespace thld
