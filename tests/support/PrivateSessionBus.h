#ifndef PRIVATE_SESSION_BUS_H
#define PRIVATE_SESSION_BUS_H

#include <string>

#include <QProcess>
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

	// Starts dbus-daemon and waits for its address; false, with the reason,
	// when it could not start.
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

	// dbus-send's printed reply to a method call on the bus; empty when it
	// failed.
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

#endif // PRIVATE_SESSION_BUS_H
