#ifndef ZIB_BOOK_RUN_H
#define ZIB_BOOK_RUN_H

#include <functional>
#include <string>

#include <QByteArray>
#include <QProcess>
#include <QStringList>

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

#endif // ZIB_BOOK_RUN_H
