#include <gtest/gtest.h>

#include "DavMultistatus.h"

namespace {

TEST(DavMultistatusTest, RefusesWhatIsNotAMultistatus)
{
	struct Row {
		const char* body;
		const char* error;
	} rows[] = {
		{"", "line"},
		{"<multistatus xmlns=\"DAV:\"><response>", "line 1"},
		{"<multistatus><response/></multistatus>", "not a WebDAV multistatus"},
		{"<a:multistatus xmlns:a=\"DAV:\">\n<a:response>&bogus;</a:response></a:multistatus>",
		 "line 2"},
	};
	for (const Row& row : rows) {
		DavMultistatus multistatus;
		QString error;
		EXPECT_FALSE(multistatus.Parse(row.body, &error)) << row.body;
		EXPECT_TRUE(error.contains(QString::fromUtf8(row.error))) << error.toStdString();
	}
}

} // namespace
