#include "menus/mnemonics.h"

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char MnemonicOf(const char* text)
{
    if (!text)
        return 0;
    for (const char* p = text; *p; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        return AsciiUpper(p[1]);
    }
    return 0;
}

MnemonicMatch FindMnemonicItem(const char* const* texts, int count, char key, int current)
{
    MnemonicMatch match = { -1, false };
    char wanted = AsciiUpper(key);
    if (wanted == 0 || count <= 0)
        return match;
    int matches = 0;
    int first = -1, afterCurrent = -1;
    for (int i = 0; i < count; ++i) {
        if (MnemonicOf(texts[i]) != wanted)
            continue;
        ++matches;
        if (first < 0)
            first = i;
        if (afterCurrent < 0 && i > current)
            afterCurrent = i;
    }
    if (matches == 0)
        return match;
    match.unique = matches == 1;
    match.item = afterCurrent >= 0 ? afterCurrent : first;
    return match;
}
