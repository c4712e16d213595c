#ifndef RUNNING_BOOK_H
#define RUNNING_BOOK_H

// Whether a running address book (every running instance is asked) has the
// book file at path open with unsaved changes. A path that names no file
// is never open. An instance that does not answer within a second counts
// as not having it.
bool IsChangedInRunningApp(const char* path);

#endif // RUNNING_BOOK_H
