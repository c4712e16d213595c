#ifndef MAILTO_URL_H
#define MAILTO_URL_H

#include <string>
#include <vector>

class ABookRecord;

// A mailto: URL (RFC 6068) that starts a new message to records.
class MailtoUrl final {
public:
	MailtoUrl() = delete;

	// The record's e-mail address: "Email 1", else "Email 2", each only
	// when longer than 2 bytes; empty when it has none.
	static std::string AddressOf(const ABookRecord& record);
	// "First Last <address>"; the name quoted when it holds characters
	// that mean something in an address, just the address when both names
	// are empty. Empty when the record has no address.
	static std::string Recipient(const ABookRecord& record);
	// "mailto:" and the recipients of the records that have an address,
	// each percent-encoded, separated by commas; empty when none has one.
	static std::string For(const std::vector<const ABookRecord*>& records);
};

#endif // MAILTO_URL_H
