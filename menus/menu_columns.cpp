#include "menus/menu_columns.h"

int ItemsPerColumnForHeight(int screenHeight)
{
    return screenHeight / 20 + 1;
}

bool StartsColumnAtMultiple(int k, int perColumn)
{
    return perColumn > 0 && k != 0 && k % perColumn == 0;
}

bool StartsColumnAfterFirst(int k, int perColumn)
{
    return perColumn > 0 && k - 1 > 0 && (k - 1) % perColumn == 0;
}
