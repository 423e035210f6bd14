#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "board/board_file.h"
#include "selection/selection_file.h"
#include "support/temp_folder.h"

namespace tindral::test {
namespace {

// Wine counts no handles (GetProcessHandleCount gives 0), but it keeps share modes: a file
// still open anywhere in the process cannot be opened unshared.
bool open_nowhere(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

TEST(FileHandles, NoWayOutOfReadingOrWritingLeavesAFileOpen) {
    TempFolder dir;
    const std::wstring board = dir.write("b.brd", std::string(3000, 'x')).wstring();
    const std::wstring sel = (dir.path / "b.TindralSel").wstring();
    const std::wstring temp = (dir.path / "b.TindralSel.tmp").wstring();
    std::string bytes;
    ASSERT_TRUE(open_nowhere(board));

    EXPECT_EQ(read_whole_file(board, bytes).status, FileReadStatus::ok);
    EXPECT_TRUE(open_nowhere(board));
    EXPECT_EQ(read_whole_file(board, bytes, 100).status, FileReadStatus::too_large);
    EXPECT_TRUE(open_nowhere(board));
    EXPECT_EQ(read_file_start(board, 100, bytes).status, FileReadStatus::ok);
    EXPECT_TRUE(open_nowhere(board));
    EXPECT_EQ(read_file_start(board, 5000, bytes).status, FileReadStatus::ok);
    EXPECT_TRUE(open_nowhere(board));

    EXPECT_EQ(write_selection_file(sel, temp, "marks").status, SelectionWriteStatus::ok);
    SetFileAttributesW(sel.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(open_nowhere(sel));
    // Replacing a folder fails after the temporary file was written and closed: it is gone.
    const std::wstring folder = dir.path.wstring();
    EXPECT_EQ(write_selection_file(folder, temp, "marks").status,
              SelectionWriteStatus::replace_failed);
    EXPECT_EQ(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tindral::test
