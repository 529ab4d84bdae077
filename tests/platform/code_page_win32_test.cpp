// On Windows the program's text is UTF-8 and the platform calls the wide functions: a name read in
// the system code page, once converted, must still name the file that the "A" functions name.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

TEST(CodePageText, NamesTheFileThatTheAnsiFunctionsName)
{
    test::TempFolder folder;
    const std::string ansiName = "\xC0t\xE9 \xA9.uxx";  // bytes above 127, as a cache.ini without a mark holds them
    HANDLE made = ::CreateFileA((folder.Path() + ansiName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    ::CloseHandle(made);

    const std::string name = TextFromCodePage(ansiName);
    EXPECT_NE(name, ansiName);
    EXPECT_TRUE(CanOpenUnshared(folder.Path() + name));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{name});
    EXPECT_EQ(TextFromCodePage("Plain-ASCII.uxx"), "Plain-ASCII.uxx");
}

}  // namespace
}  // namespace thld
