#ifndef DAV_MULTISTATUS_H
#define DAV_MULTISTATUS_H

#include <QByteArray>
#include <QList>
#include <QString>

// One <response> of a WebDAV multistatus answer, with the properties this
// client asks for. Properties come only from propstat blocks whose status is
// 2xx (or that carry no status); a property the server lacks stays empty.
struct DavResponse {
	// As the server wrote it, percent-encoding and all; may be a full URL.
	QString href;
	// The response's own status code (a removed member of a sync-collection
	// answers 404 here), 0 when the response has only propstat blocks.
	int status = 0;
	QByteArray etag;
	QByteArray addressData;
	bool isCollection = false;
	bool isAddressBook = false;
	QString principal;
	QString addressBookHome;
	QString displayName;
	QString syncToken;
	// CalendarServer's getctag: changes whenever a member of the collection does.
	QString ctag;
	bool offersSyncCollection = false;
};

// The body of a 207 Multi-Status answer (WebDAV, RFC 4918) with the CardDAV
// (RFC 6352) and sync-collection (RFC 6578) elements this client reads.
// Unknown elements are skipped. Parsing any bytes is safe: the reader has no
// external entities, Qt caps entity expansion, and malformed XML is an error.
class DavMultistatus final {
public:
	// Parses body. Answers false, with a message naming the line, when it
	// is not well-formed XML or its root is not DAV: multistatus; the
	// object then holds what was read before the fault.
	bool Parse(const QByteArray& body, QString* error);

	QList<DavResponse> responses;
	// The top-level sync-token of a sync-collection answer.
	QString syncToken;
};

#endif // DAV_MULTISTATUS_H
