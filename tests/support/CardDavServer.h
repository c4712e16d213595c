#ifndef CARD_DAV_SERVER_H
#define CARD_DAV_SERVER_H

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Connects to port of 127.0.0.1, or with port 0 binds to a free one; the
// port connected to or bound, 0 when that failed.
inline int
LoopbackPort(int port)
{
	int fd = socket(AF_INET, SOCK_STREAM, 0);
	sockaddr_in address{};
	address.sin_family = AF_INET;
	address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	address.sin_port = htons(port);
	socklen_t length = sizeof(address);
	auto* raw = reinterpret_cast<sockaddr*>(&address);
	if (port != 0)
		port = connect(fd, raw, length) == 0 ? port : 0;
	else if (bind(fd, raw, length) == 0 && getsockname(fd, raw, &length) == 0)
		port = ntohs(address.sin_port);
	close(fd);
	return port;
}

// Waits up to 20 seconds, while running answers true, until a server takes
// connections on port of 127.0.0.1.
inline bool
Listens(int port, const std::function<bool()>& running)
{
	for (int attempt = 0; attempt < 400 && running(); attempt++) {
		if (LoopbackPort(port) != 0)
			return true;
		std::this_thread::sleep_for(std::chrono::milliseconds(50));
	}
	return false;
}

// A real CardDAV server for tests: Radicale (with a user) or Xandikos (no
// authentication) on a free port of 127.0.0.1, its storage in a folder of the
// test. Stopped when destroyed; a server a test killed is only reaped.
class CardDavServer {
public:
	enum Kind { kRadicale, kXandikos };

	static const char* Name(Kind kind) { return kind == kRadicale ? "Radicale" : "Xandikos"; }

	~CardDavServer() { Stop(); }

	// Starts the server with its files in directory; false, with why, when
	// it did not come up. Radicale only: the address book starts with cards
	// (file name, vCard text), written straight into its storage.
	bool Start(Kind kind, const std::filesystem::path& directory, std::string* error,
			   const std::vector<std::pair<std::string, std::string>>& cards = {})
	{
		fKind = kind;
		fPort = LoopbackPort(0);
		std::filesystem::create_directories(directory);
		const std::filesystem::path storage = directory / "storage";
		const std::filesystem::path log = directory / "server.log";
		std::vector<std::string> arguments;
		if (kind == kRadicale) {
			// The address book exists before the first request.
			const std::filesystem::path book = storage / "collection-root" / kUser / "book";
			std::filesystem::create_directories(book);
			std::ofstream(book / ".Radicale.props")
				<< R"({"tag": "VADDRESSBOOK", "D:displayname": "Book"})";
			for (const auto& [name, text] : cards)
				std::ofstream(book / name) << text;
			std::ofstream(directory / "users") << kUser << ':' << kPassword << '\n';
			std::ofstream(directory / "radicale.conf")
				<< "[server]\nhosts = 127.0.0.1:" << fPort
				<< "\n[auth]\ntype = htpasswd\nhtpasswd_encryption = plain\nhtpasswd_filename = "
				<< (directory / "users").string()
				<< "\n[storage]\nfilesystem_folder = " << storage.string()
				<< "\n[logging]\nlevel = warning\n";
			arguments = {"radicale", "--config", (directory / "radicale.conf").string()};
		} else {
			arguments = {"xandikos",  "-d", storage.string(),     "--defaults", "-l",
						 "127.0.0.1", "-p", std::to_string(fPort)};
		}
		fPid = _Spawn(arguments, log.string());
		if (Listens(fPort, [this] {
				int status;
				if (fPid > 0 && waitpid(fPid, &status, WNOHANG) == fPid)
					fPid = -1;
				return fPid > 0;
			}))
			return true;
		Kill();
		std::ifstream in(log);
		*error = std::string(Name(kind)) +
				 " did not listen: " + std::string(std::istreambuf_iterator<char>(in), {});
		return false;
	}

	// Ends the server and waits for it.
	void Stop() { _End(SIGTERM); }
	// Ends the server at once, as a crash would.
	void Kill() { _End(SIGKILL); }
	// Wakes a server a test froze with SIGSTOP.
	void Resume() { kill(fPid, SIGCONT); }

	std::string Address() const { return "http://127.0.0.1:" + std::to_string(fPort) + "/"; }

	// The address book every server starts with.
	std::string BookAddress() const
	{
		return Address() +
			   (fKind == kRadicale ? std::string(kUser) + "/book/" : "user/contacts/addressbook/");
	}

	// The credentials Radicale accepts; Xandikos asks for none.
	std::string User() const { return fKind == kRadicale ? kUser : ""; }
	std::string Password() const { return fKind == kRadicale ? kPassword : ""; }

	pid_t Pid() const { return fPid; }

private:
	static constexpr const char* kUser = "alice";
	static constexpr const char* kPassword = "wonderland";

	void _End(int signal)
	{
		if (fPid <= 0)
			return;
		kill(fPid, SIGCONT);
		kill(fPid, signal);
		int status;
		waitpid(fPid, &status, 0);
		fPid = -1;
	}

	// Starts a child that dies with the test process, its output in log.
	static pid_t _Spawn(const std::vector<std::string>& arguments, const std::string& log)
	{
		// Built before the fork: the child of a threaded process may only
		// make async-signal-safe calls.
		std::vector<char*> argv;
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(nullptr);
		pid_t pid = fork();
		if (pid != 0)
			return pid;
		prctl(PR_SET_PDEATHSIG, SIGKILL);
		int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
		dup2(fd, STDOUT_FILENO);
		dup2(fd, STDERR_FILENO);
		execvp(argv[0], argv.data());
		_exit(127);
	}

	Kind fKind = kRadicale;
	int fPort = 0;
	pid_t fPid = -1;
};

#endif // CARD_DAV_SERVER_H
