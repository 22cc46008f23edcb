// Bounded text helpers: every fixed buffer in the program is filled through
// these, so a text that does not fit is cut and always terminated.
#ifndef VORNEL_BASE_TEXT_H
#define VORNEL_BASE_TEXT_H

#include <stddef.h>

// Copies as much of source as fits into a buffer of capacity bytes and
// terminates it. Returns false when the text had to be cut.
bool CopyText(char* destination, size_t capacity, const char* source);

// Appends source to the text already in destination, within capacity.
// Returns false (leaving destination cut but terminated) when it did not fit.
bool AppendText(char* destination, size_t capacity, const char* source);

// Joins first and second into destination only when the whole result fits;
// otherwise leaves destination empty and returns false.
bool JoinText(char* destination, size_t capacity, const char* first, const char* second);

// A heap copy owned by the caller and released with FreeText; null when the
// allocation fails. FreeText accepts null.
char* DuplicateText(const char* source);
void FreeText(char*& text);

#endif
