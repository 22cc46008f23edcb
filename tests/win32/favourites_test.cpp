// The favourites in the registry and in their submenu.
#include "tests/win32/test_support.h"

#include "app/startup.h"
#include "menus/popup_menu.h"
#include "settings/favourites_store.h"
#include "settings/settings_store.h"

class Favourites : public AppTest {
protected:
    // What start-up and the end of an edit do.
    void Reload()
    {
        LoadFavourites();
        RebuildFavouritesMenu(window);
    }
    HMENU Submenu() { return SubmenuAt(ROOT_POSITION_FAVOURITES); }
};

// Another program saves "Item0" longer at the worst moment: after the
// program asked its size and before it reads it.
static ImportReplacement* Query;
static const std::string GrownProgram = "C:\\" + std::string(400, 'g') + ".exe";

static LONG WINAPI QueryWhileAnotherSaves(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                          LPDWORD size)
{
    auto real = reinterpret_cast<decltype(&RegQueryValueExA)>(Query->original());
    LONG status = real(key, name, reserved, type, data, size);
    if (!data && name && lstrcmpA(name, "Item0") == 0)
        WriteStringValue("Item0", GrownProgram.c_str());
    return status;
}

TEST_F(Favourites, AValueThatGrewBetweenItsSizeAndItsReadIsReadAgain)
{
    WriteStringValue("Item0", "C:\\a.exe");
    WriteStringValue("Item1", "C:\\b.exe");
    ImportReplacement query("advapi32.dll", "RegQueryValueExA", reinterpret_cast<void*>(QueryWhileAnotherSaves));
    ASSERT_TRUE(query.installed());
    Query = &query;
    LoadFavourites();
    ASSERT_EQ(1, FavouriteList.LastFavourite) << "the list must not end at the grown value";
    EXPECT_EQ(GrownProgram, FavouriteList.programs[0]);
}

TEST_F(Favourites, ReadingTheSettingsAndFavouritesCreatesNoKey)
{
    DeleteSettingsKey();
    LoadSettings(window);
    LoadFavourites();
    HKEY key;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key));
}

TEST_F(Favourites, AGapEndsTheListAndTheNextSaveDeletesWhatFollowedIt)
{
    WriteStringValue("Item0", "C:\\a.exe");
    WriteStringValue("Item1", "C:\\b.exe");
    WriteStringValue("Param1", "-b");
    WriteStringValue("Item3", "C:\\d.exe");
    WriteStringValue("Param3", "-d");
    Reload();
    ASSERT_EQ(1, FavouriteList.LastFavourite);
    EXPECT_STREQ("C:\\b.exe", FavouriteList.programs[1]);
    EXPECT_STREQ("-b", FavouriteList.parameters[1]);
    EXPECT_STREQ("", FavouriteList.parameters[0]) << "no Param0: empty parameters, never absent";
    SaveFavourites();
    EXPECT_FALSE(ValueExists("Item3"));
    EXPECT_FALSE(ValueExists("Param3"));
    EXPECT_FALSE(ValueExists("Param0")) << "empty parameters are not stored";
    EXPECT_TRUE(ValueExists("Param1"));
}

TEST_F(Favourites, RemovedParametersAreDeletedAndAnEmptyListDeletesEverything)
{
    WriteStringValue("Item0", "C:\\a.exe");
    WriteStringValue("Param0", "-old");
    Reload();
    UseFavourites({ { "C:\\a.exe", "" } });
    SaveFavourites();
    EXPECT_FALSE(ValueExists("Param0"));

    for (int i = 0; i < 100; ++i) {
        WriteStringValue(("Item" + std::to_string(i)).c_str(), "x");
        WriteStringValue(("Param" + std::to_string(i)).c_str(), "y");
    }
    WriteStringValue("Item100", "kept");
    UseFavourites({});
    SaveFavourites();
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(ValueExists(("Item" + std::to_string(i)).c_str())) << i;
        EXPECT_FALSE(ValueExists(("Param" + std::to_string(i)).c_str())) << i;
    }
    EXPECT_TRUE(ValueExists("Item100")) << "never read, never deleted";
}

TEST_F(Favourites, AHundredLoadAndTheSubmenuBreaksIntoColumns)
{
    for (int i = 0; i <= 100; ++i)
        WriteStringValue(("Item" + std::to_string(i)).c_str(), ("C:\\p" + std::to_string(i) + ".exe").c_str());
    SetScreenHeight(760);   // 39 items a column
    Reload();
    EXPECT_EQ(99, FavouriteList.LastFavourite);
    ASSERT_EQ(102, GetMenuItemCount(Submenu()));
    EXPECT_EQ(42u, GetMenuItemID(Submenu(), 0));
    for (int i = 0; i < 100; ++i) {
        UINT state = GetMenuState(Submenu(), i + 2, MF_BYPOSITION);
        EXPECT_EQ(static_cast<UINT>(3000 + i), GetMenuItemID(Submenu(), i + 2));
        EXPECT_TRUE(state & MF_OWNERDRAW);
        EXPECT_EQ(i == 39 || i == 78, (state & MF_MENUBARBREAK) != 0) << i;
    }
}

TEST_F(Favourites, LongTextsAreReadWholeAndSurviveASave)
{
    std::string path = "C:\\" + std::string(300, 'p') + ".exe";
    std::string parameters(400, 'q');
    WriteStringValue("Item0", path.c_str());
    WriteStringValue("Param0", parameters.c_str());
    WriteStringValue("Item1", "C:\\after.exe");
    Reload();
    ASSERT_EQ(1, FavouriteList.LastFavourite) << "a long path must not end the list";
    EXPECT_EQ(path, FavouriteList.programs[0]);
    EXPECT_EQ(parameters, FavouriteList.parameters[0]);
    SaveFavourites();
    std::vector<unsigned char> stored;
    ASSERT_TRUE(ReadValue("Item0", stored));
    EXPECT_EQ(path.size() + 1, stored.size());
    EXPECT_TRUE(ValueExists("Item1"));
}

TEST_F(Favourites, NoFavouritesLeaveEditAndTheSeparator)
{
    Reload();
    EXPECT_EQ(-1, FavouriteList.LastFavourite);
    EXPECT_EQ(2, GetMenuItemCount(Submenu()));
    EXPECT_TRUE(GetMenuState(Submenu(), 1, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(Favourites, AppendingStopsAtAHundred)
{
    FavouriteListRecord list;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(AppendFavourite(list, "C:\\x.exe", ""));
    EXPECT_FALSE(AppendFavourite(list, "C:\\one-too-many.exe", ""));
    EXPECT_EQ(99, list.LastFavourite);
    ClearFavourites(list);
}
