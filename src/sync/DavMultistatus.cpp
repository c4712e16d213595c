#include "DavMultistatus.h"

#include <QXmlStreamReader>

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCardDav = QStringLiteral("urn:ietf:params:xml:ns:carddav");
const QString kCalendarServer = QStringLiteral("http://calendarserver.org/ns/");

bool
Is(const QXmlStreamReader& reader, const QString& ns, const char* name)
{
	return reader.namespaceUri() == ns && reader.name() == QLatin1String(name);
}

// "HTTP/1.1 404 Not Found" gives 404; anything unreadable gives 0.
int
StatusCode(const QString& line)
{
	const QStringList parts = line.simplified().split(QLatin1Char(' '));
	return parts.size() >= 2 ? parts[1].toInt() : 0;
}

// The text of the first DAV: href inside the current element; leaves the
// reader at the element's end.
QString
InnerHref(QXmlStreamReader& reader)
{
	QString href;
	while (reader.readNextStartElement()) {
		if (href.isEmpty() && Is(reader, kDav, "href"))
			href = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
		else
			reader.skipCurrentElement();
	}
	return href;
}

// Whether a sync-collection report appears anywhere inside the current
// element: servers differ on whether <report> wraps it.
bool
MentionsSyncCollection(QXmlStreamReader& reader)
{
	bool found = false;
	int depth = 1;
	while (depth > 0 && !reader.atEnd()) {
		reader.readNext();
		if (reader.isStartElement()) {
			depth++;
			if (Is(reader, kDav, "sync-collection"))
				found = true;
		} else if (reader.isEndElement()) {
			depth--;
		}
	}
	return found;
}

void
ReadResourceType(QXmlStreamReader& reader, DavResponse& response)
{
	while (reader.readNextStartElement()) {
		if (Is(reader, kDav, "collection"))
			response.isCollection = true;
		else if (Is(reader, kCardDav, "addressbook"))
			response.isAddressBook = true;
		reader.skipCurrentElement();
	}
}

// Reads the children of <prop> into props.
void
ReadProp(QXmlStreamReader& reader, DavResponse& props)
{
	while (reader.readNextStartElement()) {
		if (Is(reader, kDav, "getetag"))
			props.etag =
				reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed().toUtf8();
		else if (Is(reader, kCardDav, "address-data"))
			props.addressData =
				reader.readElementText(QXmlStreamReader::SkipChildElements).toUtf8();
		else if (Is(reader, kDav, "resourcetype"))
			ReadResourceType(reader, props);
		else if (Is(reader, kDav, "current-user-principal"))
			props.principal = InnerHref(reader);
		else if (Is(reader, kCardDav, "addressbook-home-set"))
			props.addressBookHome = InnerHref(reader);
		else if (Is(reader, kDav, "displayname"))
			props.displayName =
				reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
		else if (Is(reader, kDav, "sync-token"))
			props.syncToken = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
		else if (Is(reader, kCalendarServer, "getctag"))
			props.ctag = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
		else if (Is(reader, kDav, "supported-report-set"))
			props.offersSyncCollection = MentionsSyncCollection(reader);
		else
			reader.skipCurrentElement();
	}
}

// A propstat's properties count only when its status is a success.
void
ReadPropstat(QXmlStreamReader& reader, DavResponse& response)
{
	DavResponse props;
	int status = 0;
	while (reader.readNextStartElement()) {
		if (Is(reader, kDav, "prop"))
			ReadProp(reader, props);
		else if (Is(reader, kDav, "status"))
			status = StatusCode(reader.readElementText(QXmlStreamReader::SkipChildElements));
		else
			reader.skipCurrentElement();
	}
	if (status != 0 && (status < 200 || status > 299))
		return;
	if (!props.etag.isEmpty())
		response.etag = props.etag;
	if (!props.addressData.isEmpty())
		response.addressData = props.addressData;
	response.isCollection |= props.isCollection;
	response.isAddressBook |= props.isAddressBook;
	if (!props.principal.isEmpty())
		response.principal = props.principal;
	if (!props.addressBookHome.isEmpty())
		response.addressBookHome = props.addressBookHome;
	if (!props.displayName.isEmpty())
		response.displayName = props.displayName;
	if (!props.syncToken.isEmpty())
		response.syncToken = props.syncToken;
	if (!props.ctag.isEmpty())
		response.ctag = props.ctag;
	response.offersSyncCollection |= props.offersSyncCollection;
}

DavResponse
ReadResponse(QXmlStreamReader& reader)
{
	DavResponse response;
	while (reader.readNextStartElement()) {
		if (Is(reader, kDav, "href") && response.href.isEmpty())
			response.href = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
		else if (Is(reader, kDav, "status"))
			response.status =
				StatusCode(reader.readElementText(QXmlStreamReader::SkipChildElements));
		else if (Is(reader, kDav, "propstat"))
			ReadPropstat(reader, response);
		else
			reader.skipCurrentElement();
	}
	return response;
}

} // namespace

bool
DavMultistatus::Parse(const QByteArray& body, QString* error)
{
	responses.clear();
	syncToken.clear();
	QXmlStreamReader reader(body);
	if (!reader.readNextStartElement() || !Is(reader, kDav, "multistatus")) {
		if (!reader.hasError())
			reader.raiseError(QStringLiteral("the answer is not a WebDAV multistatus"));
	} else {
		while (reader.readNextStartElement()) {
			if (Is(reader, kDav, "response")) {
				DavResponse response = ReadResponse(reader);
				if (!response.href.isEmpty())
					responses.append(response);
			} else if (Is(reader, kDav, "sync-token")) {
				syncToken = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
			} else {
				reader.skipCurrentElement();
			}
		}
	}
	if (!reader.hasError())
		return true;
	if (error != nullptr)
		*error = QStringLiteral("%1 (line %2)").arg(reader.errorString()).arg(reader.lineNumber());
	return false;
}
