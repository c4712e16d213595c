#ifndef KEYRING_DAEMON_H
#define KEYRING_DAEMON_H

#include <chrono>
#include <string>
#include <thread>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include "ChildProcess.h"

// A D-Bus session bus of the test's own, on a socket of its own. It starts
// no service on demand, so only what the test starts serves on it. Dies with
// the test; stopped when destroyed.
class PrivateSessionBus {
public:
	~PrivateSessionBus() { EndProcess(fBus); }

	// Starts dbus-daemon; false, with the reason, when it could not start.
	bool Start(std::string* reason)
	{
		QTemporaryFile config;
		if (!config.open()) {
			*reason = "no configuration file for the bus: " + config.errorString().toStdString();
			return false;
		}
		config.write("<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
					 "<auth>EXTERNAL</auth><policy context=\"default\">"
					 "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
					 "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
		config.flush();
		// The address alone is read from standard output.
		DieWithTest(fBus);
		fBus.start("dbus-daemon",
				   {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
		if (!fBus.waitForStarted() || !fBus.waitForReadyRead(10000)) {
			*reason = "dbus-daemon did not start: " + fBus.errorString().toStdString() + ": " +
					  fBus.readAllStandardError().toStdString();
			return false;
		}
		fAddress = QString::fromUtf8(fBus.readLine()).trimmed();
		return true;
	}

	const QString& Address() const { return fAddress; }

	// dbus-send's printed reply to a method call; empty when it failed.
	QString Ask(const QString& destination, const QString& path, const QString& method,
				const QStringList& arguments) const
	{
		QProcess send;
		send.start("dbus-send", QStringList{"--bus=" + fAddress, "--print-reply",
											"--dest=" + destination, path, method} +
									arguments);
		if (!send.waitForFinished(10000) || send.exitCode() != 0)
			return QString();
		return QString::fromUtf8(send.readAllStandardOutput());
	}

private:
	QProcess fBus;
	QString fAddress;
};

// A real secret service for tests: gnome-keyring-daemon on a private session
// bus, its login keyring unlocked, in the environment's XDG_DATA_HOME. Dies
// with the test; stopped when destroyed.
class KeyringDaemon {
public:
	enum Outcome { kRunning, kCannotStart, kFailed };

	~KeyringDaemon() { EndProcess(fKeyring); }

	// Starts the bus and the keyring; kCannotStart, with the reason, when a
	// program is missing or ends, kFailed when it never serves on the bus.
	Outcome Start(std::string* reason)
	{
		if (!fBus.Start(reason))
			return kCannotStart;
		QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
		environment.insert("DBUS_SESSION_BUS_ADDRESS", fBus.Address());
		DieWithTest(fKeyring);
		fKeyring.setProcessChannelMode(QProcess::MergedChannels);
		fKeyring.setProcessEnvironment(environment);
		fKeyring.start("gnome-keyring-daemon",
					   {"--foreground", "--unlock", "--components=secrets"});
		// --unlock reads the login keyring's password up to the end of input.
		fKeyring.waitForStarted();
		fKeyring.write("keyring of the test");
		fKeyring.closeWriteChannel();
		fKeyring.waitForBytesWritten();
		for (int attempt = 0; attempt < 100; attempt++) {
			if (fKeyring.state() != QProcess::Running) {
				*reason =
					"gnome-keyring-daemon did not run: " + fKeyring.errorString().toStdString() +
					fKeyring.readAll().toStdString();
				return kCannotStart;
			}
			if (fBus.Ask("org.freedesktop.DBus", "/org/freedesktop/DBus",
						 "org.freedesktop.DBus.NameHasOwner", {"string:org.freedesktop.secrets"})
					.contains("boolean true"))
				return kRunning;
			std::this_thread::sleep_for(std::chrono::milliseconds(100));
		}
		*reason = "gnome-keyring-daemon did not serve on the bus within 10 seconds: " +
				  fKeyring.readAll().toStdString();
		return kFailed;
	}

	const QString& Address() const { return fBus.Address(); }

	// How many items of the keyring carry these attribute values, asked of
	// the service itself; -1 when it did not answer.
	int CountItems(const QStringList& attributes) const
	{
		const QString reply = fBus.Ask("org.freedesktop.secrets", "/org/freedesktop/secrets",
									   "org.freedesktop.Secret.Service.SearchItems",
									   {"dict:string:string:" + attributes.join(',')});
		return reply.isEmpty() ? -1 : static_cast<int>(reply.count("object path"));
	}

	// Locks the login keyring, as a desktop does when the screen locks.
	bool Lock() const
	{
		return !fBus.Ask("org.freedesktop.secrets", "/org/freedesktop/secrets",
						 "org.freedesktop.Secret.Service.Lock",
						 {"array:objpath:/org/freedesktop/secrets/collection/login"})
					.isEmpty();
	}

private:
	// Declared first: the keyring ends before its bus.
	PrivateSessionBus fBus;
	QProcess fKeyring;
};

#endif // KEYRING_DAEMON_H
