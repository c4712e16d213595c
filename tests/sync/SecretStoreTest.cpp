#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include <QByteArray>

#include <gtest/gtest.h>

#include "SecretStore.h"

namespace {

// Sets the session-bus variables for one test, puts them back after.
class BusEnvironment {
public:
	BusEnvironment(const QByteArray& address, const QByteArray& runtime)
		: fAddress(qgetenv("DBUS_SESSION_BUS_ADDRESS")), fRuntime(qgetenv("XDG_RUNTIME_DIR"))
	{
		_Set("DBUS_SESSION_BUS_ADDRESS", address);
		_Set("XDG_RUNTIME_DIR", runtime);
	}
	~BusEnvironment()
	{
		_Set("DBUS_SESSION_BUS_ADDRESS", fAddress);
		_Set("XDG_RUNTIME_DIR", fRuntime);
	}

private:
	static void _Set(const char* name, const QByteArray& value)
	{
		if (value.isEmpty())
			qunsetenv(name);
		else
			qputenv(name, value);
	}
	QByteArray fAddress;
	QByteArray fRuntime;
};

// A private session bus on which no secret service runs; pid -1 when
// dbus-daemon is missing.
struct PrivateBus {
	pid_t pid = -1;
	std::string address;

	PrivateBus()
	{
		FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 "
						  "2>/dev/null",
						  "r");
		if (out == nullptr)
			return;
		char line[512];
		if (fgets(line, sizeof(line), out) != nullptr)
			address = std::string(line).substr(0, std::string(line).find('\n'));
		if (fgets(line, sizeof(line), out) != nullptr)
			pid = static_cast<pid_t>(atoi(line));
		pclose(out);
	}
	~PrivateBus()
	{
		if (pid > 0)
			kill(pid, SIGTERM);
	}
};

using Clock = std::chrono::steady_clock;

// With no bus or a bus without a secret service, nothing is found and
// nothing stored, and no call waits long.
TEST(SecretStore, WithoutASecretServiceAnswersNotAvailableQuickly)
{
	PrivateBus bus;
	struct Case {
		const char* name;
		QByteArray address;
	};
	std::vector<Case> cases = {{"no bus", ""},
							   {"a bus that is gone", "unix:path=/nonexistent/zib-bus"}};
	if (bus.pid > 0)
		cases.push_back({"a bus with no secret service", QByteArray::fromStdString(bus.address)});
	for (const Case& c : cases) {
		SCOPED_TRACE(c.name);
		BusEnvironment environment(c.address, "/nonexistent");
		EXPECT_EQ(SecretStore::HasSessionBus(), !c.address.isEmpty());
		SecretStore store(2000);
		const auto start = Clock::now();
		QString password = "unchanged";
		EXPECT_FALSE(store.Lookup("http://127.0.0.1:1/", "ann", password));
		EXPECT_EQ(password, "unchanged");
		QString error;
		EXPECT_FALSE(store.Store("http://127.0.0.1:1/", "ann", "secret", &error));
		EXPECT_FALSE(error.isEmpty());
		EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
	}
	if (bus.pid <= 0)
		GTEST_SKIP() << "dbus-daemon is not installed: the private-bus case did not run";
}

} // namespace
