// Whole text files on the platform's file system, each test in a fresh directory of its own:
// what is written reads back byte for byte, and every refused read or write leaves the
// variable, the file and the directory as they were.
#include "support/core_fixture.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/files.h"

namespace {

class FilesTest : public CoreTest {
  protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        Directory = std::string(temp) + "files_test_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(Directory.c_str(), nullptr));
    }

    void TearDown() override
    {
        for (const std::string &name : NameList()) {
            std::string path = Path(name);
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
        }
        RemoveDirectoryA(Directory.c_str());
        CoreTest::TearDown();
    }

    std::string Path(const std::string &name) { return Directory + "\\" + name; }

    // Every name in the directory, so that a file left beside the target shows.
    std::vector<std::string> NameList()
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Names()
    {
        std::string names;
        for (const std::string &name : NameList()) names += name + " ";
        return names;
    }

    // What the file holds, read with the platform alone; "(none)" for no file.
    std::string Held(const std::string &name)
    {
        HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "(none)";
        char bytes[256];
        DWORD read = 0;
        ReadFile(file, bytes, sizeof bytes, &read, nullptr);
        CloseHandle(file);
        return std::string(bytes, read);
    }

    std::string Directory;
};

TEST_F(FilesTest, WrittenTextReadsBackAndReplacesTheOldFileWhole)
{
    const std::string path = Path("liste.txt");
    const char *texts[] = {"eins\r\nzwei\r\n\xC4\xE4\xFF", "kurz", "", nullptr};
    StringVar v = nullptr;
    for (const char *text : texts) {
        SCOPED_TRACE(text ? text : "(null)");
        ASSERT_EQ(FileWriteText(path.c_str(), text), 1);
        EXPECT_EQ(Held("liste.txt"), text ? text : "");   // nothing left of a longer text
        EXPECT_EQ(Names(), "liste.txt ");                 // nothing beside it
        char *old = v;
        ASSERT_EQ(FileReadText(&v, path.c_str()), 1);
        ASSERT_NE(v, nullptr);
        EXPECT_STREQ(v, text ? text : "");
        EXPECT_TRUE(old == nullptr || old != v);
        EXPECT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr));
    }
    // The largest file taken, and one byte more.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    SetFilePointer(file, FileTextLargest, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_EQ(FileReadText(&v, path.c_str()), 1);
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, v), (SIZE_T)FileTextLargest + 1);
    StringAssignText(&v, "vorher");
    file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(file, FileTextLargest + 1, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    char *kept = v;
    EXPECT_EQ(FileReadText(&v, path.c_str()), 0);
    EXPECT_EQ(v, kept);
    EXPECT_STREQ(v, "vorher");
}

// Each refused write leaves the target as it was and nothing beside it; each refused read
// leaves the variable's text where it was.
TEST_F(FilesTest, RefusedCallsChangeNothing)
{
    ASSERT_EQ(FileWriteText(Path("alt.txt").c_str(), "alter Text"), 1);
    ASSERT_TRUE(CreateDirectoryA(Path("ordner").c_str(), nullptr));
    ASSERT_EQ(FileWriteText(Path("fest.txt").c_str(), "fest"), 1);
    ASSERT_TRUE(SetFileAttributesA(Path("fest.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string names = Names();
    StringVar v = nullptr;
    StringAssignText(&v, "vorher");
    char *kept = v;
    struct Row {
        const char *Call;
        int32_t Result;
    } rows[] = {
        {"write over a directory", FileWriteText(Path("ordner").c_str(), "neu")},
        {"write over a read-only file", FileWriteText(Path("fest.txt").c_str(), "neu")},
        {"write into a missing directory", FileWriteText(Path("fehlt\\x.txt").c_str(), "neu")},
        {"write to a null path", FileWriteText(nullptr, "neu")},
        {"write to the empty path", FileWriteText("", "neu")},
        {"read a missing file", FileReadText(&v, Path("fehlt.txt").c_str())},
        {"read a directory", FileReadText(&v, Path("ordner").c_str())},
        {"read a null path", FileReadText(&v, nullptr)},
        {"read into a null variable", FileReadText(nullptr, Path("alt.txt").c_str())},
    };
    for (const Row &row : rows) EXPECT_EQ(row.Result, 0) << row.Call;
    // The heap refuses the block for the text, then the name beside the target.
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    EXPECT_EQ(FileReadText(&v, Path("alt.txt").c_str()), 0);
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    EXPECT_EQ(FileWriteText(Path("alt.txt").c_str(), "neu"), 0);
    Heap.HeapFailAt = 0;
    EXPECT_EQ(v, kept);
    EXPECT_STREQ(v, "vorher");
    EXPECT_EQ(Names(), names);
    EXPECT_EQ(Held("alt.txt"), "alter Text");
    EXPECT_EQ(Held("fest.txt"), "fest");
    EXPECT_EQ(GetFileAttributesA(Path("ordner").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              (DWORD)FILE_ATTRIBUTE_DIRECTORY);
}

}   // namespace
