#include "menus/menu_item_text.h"

#include <string.h>

#include "base/text.h"

FileNameParts SplitFileName(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    const char* dot = strrchr(name, '.');
    size_t length = strlen(name);
    FileNameParts parts;
    parts.name = name;
    if (dot) {
        parts.baseLength = static_cast<size_t>(dot - name);
        parts.extension = dot;
        parts.extensionLength = length - parts.baseLength;
    } else {
        parts.baseLength = length;
        parts.extension = name + length;
        parts.extensionLength = 0;
    }
    return parts;
}

// Copies the first `length` bytes of text, cut to the capacity.
static void CopyPrefix(char* out, size_t capacity, const char* text, size_t length)
{
    if (capacity == 0)
        return;
    if (length >= capacity)
        length = capacity - 1;
    memcpy(out, text, length);
    out[length] = '\0';
}

void FileNameWithExtension(const char* path, char* out, size_t capacity)
{
    CopyText(out, capacity, SplitFileName(path).name);
}

void FileNameWithoutExtension(const char* path, char* out, size_t capacity)
{
    FileNameParts parts = SplitFileName(path);
    CopyPrefix(out, capacity, parts.name, parts.baseLength);
}

void FavouriteDrawnText(const char* program, const char* parameters, char* out, size_t capacity)
{
    FileNameWithExtension(program, out, capacity);
    AppendText(out, capacity, " ");
    AppendText(out, capacity, parameters);
}

void ProgramPathOf(const char* text, char* out, size_t capacity)
{
    const char* tab = strchr(text, '\t');
    CopyPrefix(out, capacity, text, tab ? static_cast<size_t>(tab - text) : strlen(text));
}
