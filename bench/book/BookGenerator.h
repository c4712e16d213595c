#ifndef BOOK_GENERATOR_H
#define BOOK_GENERATOR_H

class ZIBook;

// Appends count made-up contacts to book: UTF-8 names, some empty fields and
// some fields of a full 40 bytes. The same seed gives the same records.
void GenerateBook(ZIBook* book, long count, unsigned seed = 1);

#endif // BOOK_GENERATOR_H
