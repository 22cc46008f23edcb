// The system's own programs are named by their full paths in the system's
// directories, never found by a bare name that a file beside the program or
// in the current directory could answer to.
#include "tests/win32/test_support.h"

#include "base/system_libraries.h"

// A file of that name beside the test program, made the current directory
// too, for the object's life.
class PlantedBesideUs {
public:
    explicit PlantedBesideUs(const char* name) : path_(TestProgramDirectory() + "\\" + name)
    {
        GetCurrentDirectoryA(MAX_PATH, current_);
        SetCurrentDirectoryA(TestProgramDirectory().c_str());
        planted_ = WriteFileText(path_, "MZ");
    }
    ~PlantedBesideUs()
    {
        SetCurrentDirectoryA(current_);
        DeleteFileA(path_.c_str());
    }
    bool planted() const { return planted_; }

private:
    std::string path_;
    char current_[MAX_PATH];
    bool planted_;
};

static std::string DirectoryPath(UINT (WINAPI* directory)(LPSTR, UINT), const char* file)
{
    char path[MAX_PATH];
    directory(path, MAX_PATH);
    return std::string(path) + "\\" + file;
}

TEST(SystemFiles, AProgramOfTheSystemIsTheSystemsOwnEvenWithOneOfItsNameBesideUs)
{
    PlantedBesideUs planted("notepad.exe");
    ASSERT_TRUE(planted.planted());
    char path[MAX_PATH];
    ASSERT_TRUE(SystemProgramPath("notepad.exe", path, MAX_PATH));
    EXPECT_TRUE(lstrcmpiA(path, DirectoryPath(GetSystemDirectoryA, "notepad.exe").c_str()) == 0 ||
                lstrcmpiA(path, DirectoryPath(GetWindowsDirectoryA, "notepad.exe").c_str()) == 0)
        << path;
}

TEST(SystemFiles, AProgramOnlyTheWindowsDirectoryHoldsIsFoundThere)
{
    // Wine keeps rundll.exe in the Windows directory alone, as the 9x family
    // keeps rundll32.exe.
    std::string windowsCopy = DirectoryPath(GetWindowsDirectoryA, "rundll.exe");
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(windowsCopy.c_str()));
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(DirectoryPath(GetSystemDirectoryA, "rundll.exe").c_str()));
    char path[MAX_PATH];
    ASSERT_TRUE(SystemProgramPath("rundll.exe", path, MAX_PATH));
    EXPECT_EQ(windowsCopy, path);
}
