#ifndef PEER_PROCESS_H
#define PEER_PROCESS_H

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

// A child process started from a test: its standard input is a pipe that
// the test holds (closing it asks the child to end) and its standard output
// is read until the child prints "ready". The destructor closes the pipe
// and reaps the child.
class PeerProcess {
public:
	PeerProcess(const std::string& path, const std::vector<std::string>& arguments)
	{
		int input[2], output[2];
		if (pipe(input) != 0 || pipe(output) != 0)
			return;
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
		posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
		posix_spawn_file_actions_addclose(&actions, input[1]);
		posix_spawn_file_actions_addclose(&actions, output[0]);
		std::vector<char*> argv{const_cast<char*>(path.c_str())};
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(nullptr);
		if (posix_spawn(&fPid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0)
			fPid = -1;
		posix_spawn_file_actions_destroy(&actions);
		close(input[0]);
		close(output[1]);
		fInput = input[1];
		fOutput = output[0];
	}

	~PeerProcess() { Stop(); }

	PeerProcess(const PeerProcess&) = delete;
	PeerProcess& operator=(const PeerProcess&) = delete;

	pid_t Pid() const { return fPid; }

	// Reads the child's output up to and including "ready\n"; false when it
	// ends first.
	bool WaitReady()
	{
		std::string seen;
		char byte;
		while (seen.find("ready\n") == std::string::npos) {
			if (read(fOutput, &byte, 1) != 1)
				return false;
			seen.push_back(byte);
		}
		return true;
	}

	// Asks the child to end, waits for it and answers its exit status.
	int Stop()
	{
		if (fPid <= 0)
			return -1;
		close(fInput);
		close(fOutput);
		int status = 0;
		waitpid(fPid, &status, 0);
		fPid = -1;
		return status;
	}

private:
	pid_t fPid = -1;
	int fInput = -1;
	int fOutput = -1;
};

#endif // PEER_PROCESS_H
