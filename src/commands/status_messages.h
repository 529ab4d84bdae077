#pragma once
// What a window says while it works, and when an operation ends on an error that is no file error:
// texts that every window shows alike.

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

}  // namespace thld::messages
