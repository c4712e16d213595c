#ifndef SYNC_TEST_SUPPORT_H
#define SYNC_TEST_SUPPORT_H

#include <functional>
#include <string>

#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <Entry.h>

#include "ZIBFiles.h"
#include "ZIBook.h"

// The Qt Core application the network calls need, made once per process.
inline void
EnsureCoreApplication()
{
	static int argc = 1;
	static char name[] = "sync_tests";
	static char* argv[] = {name, nullptr};
	static QCoreApplication application(argc, argv);
}

// Saves book as the file at path.
inline status_t
SaveBook(ZIBook& book, const std::string& path)
{
	entry_ref ref;
	status_t status = get_ref_for_path(path.c_str(), &ref);
	return status == B_OK ? ZIBFiles::WriteBook(&book, &ref, ZIBFrame{0, 0, 100, 100}) : status;
}

// A vCard 3.0 with a UID, a name and extra property lines.
inline QByteArray
TestCard(const QString& uid, const QString& name, const QByteArray& extra = QByteArray())
{
	return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid.toUtf8() + "\r\nFN:" + name.toUtf8() +
		   "\r\nN:" + name.toUtf8() + ";;;;\r\n" + extra + "END:VCARD\r\n";
}

// What one run of zib-book answered: its exit status, -1 when it was killed.
struct ZibBookRun {
	int status = -1;
	std::string err;
};

// Runs zib-book as a process of its own with the test's environment and
// input on its standard input, killed as soon as killNow answers true.
inline ZibBookRun
RunZibBook(const QStringList& arguments, const QByteArray& input = QByteArray(),
		   const std::function<bool()>& killNow = nullptr)
{
	QProcess process;
	process.start(ZIB_BOOK_PATH, arguments);
	process.write(input);
	process.closeWriteChannel();
	if (killNow == nullptr)
		process.waitForFinished(60000);
	while (killNow && process.state() != QProcess::NotRunning && !process.waitForFinished(1)) {
		if (killNow()) {
			process.kill();
			process.waitForFinished();
		}
	}
	ZibBookRun run;
	if (process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit)
		run.status = process.exitCode();
	run.err = process.readAllStandardError().toStdString();
	return run;
}

#endif // SYNC_TEST_SUPPORT_H
