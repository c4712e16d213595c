#ifndef INTEROP_TEST_SUPPORT_H
#define INTEROP_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "BookTestSupport.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "ZIBook.h"

// Imports text into a new book and answers its records.
inline std::vector<Fields>
Import(const std::string& text, ImportReport& report, ImportFormat format = ImportFormat::kDetect)
{
	ZIBook book(nullptr);
	ContactImporter(&book, false).ImportText(text, "in", format, report);
	return Records(book);
}

#endif // INTEROP_TEST_SUPPORT_H
