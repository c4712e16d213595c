#ifndef ZIB_BOOK_PROCESS_H
#define ZIB_BOOK_PROCESS_H

#include <string>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// What one run of zib-book answered.
struct ZibBookRun {
	int status = -1;
	std::string err;
};

// Runs zib-book as a process of its own with the test's environment and
// input on its standard input.
inline ZibBookRun
RunZibBook(const QStringList& arguments, const QByteArray& input = QByteArray())
{
	QProcess process;
	process.start(ZIB_BOOK_PATH, arguments);
	process.write(input);
	process.closeWriteChannel();
	ZibBookRun run;
	if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
		run.status = process.exitCode();
	run.err = process.readAllStandardError().toStdString();
	return run;
}

#endif // ZIB_BOOK_PROCESS_H
