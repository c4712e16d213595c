#ifndef CARD_DAV_RESULT_H
#define CARD_DAV_RESULT_H

#include <QString>

// The outcome of one CardDAV operation: what kind of failure, the HTTP
// status when the server answered, and a message for the user that says what
// went wrong and where.
struct CardDavResult {
	enum Kind {
		kOk,
		// The server could not be reached or broke the connection.
		kNetwork,
		// The server stopped answering for longer than the time-out.
		kTimeout,
		// 401: no user name or password, or the server refused them.
		kAuthentication,
		// 404 on a collection or a card that is asked for.
		kNotFound,
		// 412: the card changed (If-Match) or already exists (If-None-Match).
		kPreconditionFailed,
		// The sync-token given is no longer valid; list everything again.
		kSyncTokenInvalid,
		// Any other HTTP failure status.
		kServer,
		// The answer could not be read (not XML, not a multistatus, too big).
		kBadAnswer,
		// The sync state beside the book could not be written.
		kLocal,
	};

	bool IsOk() const { return kind == kOk; }

	Kind kind = kOk;
	int httpStatus = 0;
	QString message;
};

#endif // CARD_DAV_RESULT_H
