#pragma once
// What a window says while it works, and when an operation ends on an error that is no file error:
// texts that every window shows alike.

#include <cstddef>
#include <string>

namespace thld::messages {

// While the cache is listed: first the kinds and sizes, then the requirements.
inline constexpr const char* kReviewingStatus = "Reviewing Cache File Types";
inline constexpr const char* kRelationshipsStatus = "Determining Relationships";

// An operation ended on an error that is no file error (`detail` is the error's own short text, if
// any).
inline std::string UnexpectedErrorText(const std::string& detail)
{
    std::string text = "The operation could not be finished because of an unexpected error";
    return detail.empty() ? text + "." : text + ":\r\n" + detail;
}

// A run ended by the user between two packages (Ctrl-C): how many were done, and that the others
// are as they were.
inline std::string RunStoppedText(std::size_t done, std::size_t untouched)
{
    return "Stopped after " + std::to_string(done) + (done == 1 ? " package" : " packages") + "; the other " +
           std::to_string(untouched) + (untouched == 1 ? " is" : " are") + " untouched.";
}

}  // namespace thld::messages
