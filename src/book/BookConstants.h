#ifndef BOOK_CONSTANTS_H
#define BOOK_CONSTANTS_H

#include <cstddef>

#include <SupportDefs.h>

// Every record has these fields; the number of a field is its position in a
// record, in the field-name table, in a line of a book file and in the list.
const int kFieldCount = 21;

enum {
	kNicknameField = 0,
	kFirstNameField,
	kMiddleNameField,
	kLastNameField,
	kTitleField,
	kCompanyField,
	kAddress1Field,
	kAddress2Field,
	kCityField,
	kStateField,
	kZipField,
	kCountryField,
	kPhoneField,
	kCellField,
	kFaxField,
	kEmail1Field,
	kEmail2Field,
	kWebAddressField,
	kCommentsField,
	kComments2Field,
	kBirthdayField,
};

// A field holds at most 40 bytes of text; its buffer has room for the
// terminator and one spare byte.
const size_t kFieldTextLength = 40;
const size_t kFieldBufferSize = 42;

// The longest formatted postal address: ten fields, each followed by a
// space, and five line feeds.
const size_t kFormattedAddressLength = 10 * (kFieldTextLength + 1) + 5;

// The type of a current (21-column) book file and of an older (20-column) one.
inline constexpr char kBookFileType[] = "application/x.vnd-vornak-zibfile";
inline constexpr char kOlderBookFileType[] = "application/x.vnd-vornak-ziborigfile";

// File attributes of a book file: its type and the frame of the window that
// saved it.
inline constexpr char kTypeAttribute[] = "BEOS:TYPE";
inline constexpr char kFrameAttribute[] = "ZIBWndwFrame";

// Errors of opening and saving a book, beyond the platform's own.
const status_t kUnsafeLinkError = B_GENERAL_ERROR_BASE + 0xB000;
const status_t kNotAFileError = kUnsafeLinkError + 1;
const status_t kBookTooLargeError = kUnsafeLinkError + 2;

#endif // BOOK_CONSTANTS_H
