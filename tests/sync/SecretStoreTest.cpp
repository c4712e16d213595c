#include <chrono>
#include <string>

#include <QByteArray>

#include <gtest/gtest.h>

#include "PrivateSessionBus.h"
#include "SecretStore.h"
#include "SyncTestSupport.h"

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

using Clock = std::chrono::steady_clock;

// With no bus or a bus without a secret service, nothing is found and
// nothing stored, and no call waits long.
TEST(SecretStore, WithoutASecretServiceAnswersNotAvailableQuickly)
{
	EnsureCoreApplication();
	PrivateSessionBus bus;
	std::string reason;
	const bool hasBus = bus.Start(&reason);
	struct Case {
		const char* name;
		QByteArray address;
	};
	std::vector<Case> cases = {{"no bus", ""},
							   {"a bus that is gone", "unix:path=/nonexistent/zib-bus"}};
	if (hasBus)
		cases.push_back({"a bus with no secret service", bus.Address().toUtf8()});
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
	if (!hasBus)
		GTEST_SKIP() << "the private-bus case did not run: " << reason;
}

} // namespace
