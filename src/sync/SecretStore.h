#ifndef SECRET_STORE_H
#define SECRET_STORE_H

#include <QString>

// The password of a CardDAV account in the desktop's secret store, through
// libsecret, under a schema of our own. An account is a user name on a
// server (scheme, host and port of a URL): the server's address and any
// address book on it find the same password.
//
// Without a session bus (no DBUS_SESSION_BUS_ADDRESS and no bus socket in
// XDG_RUNTIME_DIR) nothing is asked and every call answers at once: GLib
// would otherwise try to launch a bus. With a bus, each call gives up after
// a time-out, so a secret service that does not answer never hangs the
// caller. Thread-safe; blocks the calling thread for at most the time-out.
class SecretStore final {
public:
	explicit SecretStore(int timeoutMilliseconds = kDefaultTimeout);

	// Whether a session bus is there to ask.
	static bool HasSessionBus();

	// The server of url, which names its passwords: scheme, host and port.
	static QString ServerOf(const QString& url);

	// The stored password; false when there is none or no store answered.
	bool Lookup(const QString& url, const QString& user, QString& password) const;

	// Stores the password; false, with a message in error unless it is
	// null, when no store took it.
	bool Store(const QString& url, const QString& user, const QString& password,
			   QString* error) const;

	// Long enough for a person to unlock a locked keyring in the prompt
	// that the secret service shows.
	static const int kDefaultTimeout = 60000;

private:
	int fTimeout;
};

#endif // SECRET_STORE_H
