// What every end-to-end test stands on: a folder of its own, new and empty, so
// that no test reads what an earlier run left behind.
#include "e2e/E2EFixture.h"

namespace {
std::vector<std::string> EntriesOf(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}
} // namespace

TEST(E2EFolders, AFolderAnEarlierRunOfTheSameProcessIdLeftBehindIsNotHandedOutAgain) {
    // Folders are named from the process id and a count; the next name is the
    // one after this folder's.
    const std::string first = MakeTempDir("e2eground");
    const size_t cut = first.rfind('_') + 1;
    const std::string stem = first.substr(0, cut);
    const int next = std::stoi(first.substr(cut)) + 1;
    const std::string left = stem + std::to_string(next) + "\\";
    ASSERT_TRUE(CreateDirectoryA(left.c_str(), nullptr));
    WriteWholeFile(left + "launched.log", "args=|cwd=an earlier run\n");

    const std::string dir = MakeTempDir("e2eground");
    EXPECT_NE(left, dir);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.c_str())) << "it exists";
    EXPECT_EQ(std::vector<std::string>{}, EntriesOf(dir)) << dir << " is not empty";

    DeleteFileA((left + "launched.log").c_str());
    for (const std::string& d : {first, left, dir})
        RemoveDirectoryA(d.c_str());
}
