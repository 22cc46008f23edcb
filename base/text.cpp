#include "base/text.h"

#include <stdlib.h>
#include <string.h>

bool CopyText(char* destination, size_t capacity, const char* source)
{
    if (capacity == 0)
        return false;
    size_t length = source ? strlen(source) : 0;
    bool fits = length < capacity;
    if (!fits)
        length = capacity - 1;
    if (length)
        memcpy(destination, source, length);
    destination[length] = '\0';
    return fits;
}

bool AppendText(char* destination, size_t capacity, const char* source)
{
    if (capacity == 0)
        return false;
    size_t used = strnlen(destination, capacity - 1);
    return CopyText(destination + used, capacity - used, source);
}

bool JoinText(char* destination, size_t capacity, const char* first, const char* second)
{
    if (capacity == 0)
        return false;
    size_t a = strlen(first), b = strlen(second);
    if (a + b >= capacity) {
        destination[0] = '\0';
        return false;
    }
    memmove(destination, first, a);
    memcpy(destination + a, second, b);
    destination[a + b] = '\0';
    return true;
}

char* DuplicateText(const char* source)
{
    size_t size = strlen(source) + 1;
    char* copy = static_cast<char*>(malloc(size));
    if (copy)
        memcpy(copy, source, size);
    return copy;
}

void FreeText(char*& text)
{
    free(text);
    text = nullptr;
}
