#include <gtest/gtest.h>

#include "DavMultistatus.h"

namespace {

// Answers as Radicale and Xandikos write them: a default namespace, or
// numbered prefixes, supported reports with and without <report>.
TEST(DavMultistatusTest, ReadsWhatServersWrite)
{
	DavMultistatus radicale;
	ASSERT_TRUE(radicale.Parse(
		R"(<?xml version='1.0' encoding='utf-8'?>
<multistatus xmlns="DAV:" xmlns:CR="urn:ietf:params:xml:ns:carddav"><response><href>/alice/</href>
<propstat><prop><current-user-principal><href>/alice/</href></current-user-principal>
<CR:addressbook-home-set><href>/alice/</href></CR:addressbook-home-set></prop>
<status>HTTP/1.1 200 OK</status></propstat><propstat><prop><getetag/><sync-token/></prop>
<status>HTTP/1.1 404 Not Found</status></propstat></response>
<response><href>/alice/book/</href><propstat><prop><resourcetype><CR:addressbook /><collection />
</resourcetype><supported-report-set><supported-report><report><sync-collection /></report>
</supported-report></supported-report-set><sync-token>t1</sync-token></prop>
<status>HTTP/1.1 200 OK</status></propstat></response></multistatus>)",
		nullptr));
	ASSERT_EQ(radicale.responses.size(), 2);
	EXPECT_EQ(radicale.responses[0].principal, QStringLiteral("/alice/"));
	EXPECT_EQ(radicale.responses[0].addressBookHome, QStringLiteral("/alice/"));
	EXPECT_TRUE(radicale.responses[0].syncToken.isEmpty());
	EXPECT_FALSE(radicale.responses[0].isAddressBook);
	EXPECT_TRUE(radicale.responses[1].isAddressBook);
	EXPECT_TRUE(radicale.responses[1].isCollection);
	EXPECT_TRUE(radicale.responses[1].offersSyncCollection);
	EXPECT_EQ(radicale.responses[1].syncToken, QStringLiteral("t1"));

	DavMultistatus xandikos;
	ASSERT_TRUE(xandikos.Parse(
		R"(<ns0:multistatus xmlns:ns0="DAV:" xmlns:ns1="urn:ietf:params:xml:ns:carddav">
<ns0:response><ns0:href>/c/a%20b.vcf</ns0:href><ns0:propstat><ns0:status>HTTP/1.1 200 OK</ns0:status>
<ns0:prop><ns0:getetag>"e1"</ns0:getetag><ns1:address-data>BEGIN:VCARD&#13;
END:VCARD&#13;
</ns1:address-data><ns0:supported-report-set><ns0:supported-report><ns0:sync-collection />
</ns0:supported-report></ns0:supported-report-set></ns0:prop></ns0:propstat></ns0:response>
<ns0:response><ns0:href>/c/gone.vcf</ns0:href><ns0:status>HTTP/1.1 404 Not Found</ns0:status>
</ns0:response><ns0:sync-token>t2</ns0:sync-token></ns0:multistatus>)",
		nullptr));
	ASSERT_EQ(xandikos.responses.size(), 2);
	EXPECT_EQ(xandikos.responses[0].href, QStringLiteral("/c/a%20b.vcf"));
	EXPECT_EQ(xandikos.responses[0].etag, "\"e1\"");
	EXPECT_EQ(xandikos.responses[0].addressData, "BEGIN:VCARD\r\nEND:VCARD\r\n");
	EXPECT_TRUE(xandikos.responses[0].offersSyncCollection);
	EXPECT_EQ(xandikos.responses[1].status, 404);
	EXPECT_EQ(xandikos.syncToken, QStringLiteral("t2"));
}

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
