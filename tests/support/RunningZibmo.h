#ifndef RUNNING_ZIBMO_H
#define RUNNING_ZIBMO_H

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

extern char** environ;

// The address book started as a process of its own, headless, launched with
// files, in the caller's environment: point HOME and the XDG directories at
// a private directory first, since it stores settings and publishes its
// port there. The destructor stops it.
class RunningZibmo {
public:
	static constexpr char kSignature[] = "application/x-vnd.vornak-zibmo";

	RunningZibmo(const std::string& executable, const std::vector<std::string>& files)
	{
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
		std::vector<char*> argv{const_cast<char*>(executable.c_str())};
		for (const std::string& file : files)
			argv.push_back(const_cast<char*>(file.c_str()));
		argv.push_back(nullptr);
		if (posix_spawn(&fPid, executable.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
			fPid = -1;
	}

	~RunningZibmo() { Stop(); }

	RunningZibmo(const RunningZibmo&) = delete;
	RunningZibmo& operator=(const RunningZibmo&) = delete;

	pid_t Pid() const { return fPid; }

	// Waits until the application answers at its port (or, unless
	// answering, merely publishes it); false when it ended or did not within
	// a generous time-out.
	bool WaitReady(bool answering = true)
	{
		for (bigtime_t deadline = system_time() + kPatience; system_time() < deadline;
			 snooze(10000)) {
			if (fPid <= 0 || waitpid(fPid, &fStatus, WNOHANG) != 0) {
				fPid = -1;
				return false;
			}
			status_t status;
			BMessenger application(kSignature, fPid, &status);
			BMessage reply;
			if (status == B_OK && (!answering || application.SendMessage('pin?', &reply) == B_OK))
				return true;
		}
		return false;
	}

	// Asks the application to quit and waits for it.
	int Stop()
	{
		if (fPid > 0)
			BMessenger(kSignature, fPid).SendMessage(B_QUIT_REQUESTED);
		return WaitForExit();
	}

	// Waits for the application to end; kills it when it does not in time.
	// Answers its wait status, -1 when it had to be killed.
	int WaitForExit()
	{
		for (bigtime_t deadline = system_time() + kPatience; fPid > 0 && system_time() < deadline;
			 snooze(10000)) {
			if (waitpid(fPid, &fStatus, WNOHANG) == fPid)
				fPid = -1;
		}
		if (fPid > 0) {
			kill(fPid, SIGKILL);
			waitpid(fPid, nullptr, 0);
			fPid = -1;
			fStatus = -1;
		}
		return fStatus;
	}

private:
	static constexpr bigtime_t kPatience = 60000000;

	pid_t fPid = -1;
	int fStatus = -1;
};

#endif // RUNNING_ZIBMO_H
