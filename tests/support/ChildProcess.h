#ifndef CHILD_PROCESS_H
#define CHILD_PROCESS_H

#include <sys/prctl.h>

#include <signal.h>

#include <QProcess>

// A server a test starts as a QProcess dies with the test process, even by a
// crash, and is ended (SIGTERM, SIGKILL after five seconds) and waited for.
inline void
DieWithTest(QProcess& process)
{
	process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

inline void
EndProcess(QProcess& process)
{
	if (process.state() == QProcess::NotRunning)
		return;
	process.terminate();
	if (!process.waitForFinished(5000))
		process.kill();
	process.waitForFinished();
}

#endif // CHILD_PROCESS_H
