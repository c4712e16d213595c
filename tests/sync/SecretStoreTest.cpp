#include <sys/xattr.h>

#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "CardDavServer.h"
#include "KeyringDaemon.h"
#include "SecretStore.h"
#include "SyncTestSupport.h"
#include "TestDirectory.h"
#include "ZibBookRun.h"

namespace {

using Clock = std::chrono::steady_clock;

// Sets an environment variable (unsets it when empty) until destroyed.
struct ScopedVariable {
	ScopedVariable(const char* n, const QByteArray& value) : name(n), saved(qgetenv(n))
	{
		Set(name, value);
	}
	~ScopedVariable() { Set(name, saved); }
	static void Set(const char* name, const QByteArray& value)
	{
		value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
	}
	const char* name;
	QByteArray saved;
};

// With no bus or a bus without a secret service, nothing is found and
// nothing stored, and no call waits long.
TEST(SecretStore, WithoutASecretServiceAnswersNotAvailableQuickly)
{
	EnsureCoreApplication();
	PrivateSessionBus bus;
	std::string reason;
	const bool hasBus = bus.Start(&reason);
	std::vector<std::pair<const char*, QByteArray>> cases = {
		{"no bus", ""}, {"a bus that is gone", "unix:path=/nonexistent/zib-bus"}};
	if (hasBus)
		cases.emplace_back("a bus with no secret service", bus.Address().toUtf8());
	for (const auto& [name, address] : cases) {
		SCOPED_TRACE(name);
		ScopedVariable busAddress("DBUS_SESSION_BUS_ADDRESS", address);
		ScopedVariable runtime("XDG_RUNTIME_DIR", "/nonexistent");
		EXPECT_EQ(SecretStore::HasSessionBus(), !address.isEmpty());
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

// The secret store against a real gnome-keyring on a private session bus,
// and zib-book, a process of its own, finding the password there.
class SecretServiceTest : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		EnsureCoreApplication();
		std::string reason;
		const KeyringDaemon::Outcome outcome = fKeyring.Start(&reason);
		if (outcome == KeyringDaemon::kCannotStart)
			GTEST_SKIP() << "no secret service can run here: " << reason;
		ASSERT_EQ(outcome, KeyringDaemon::kRunning) << reason;
		ScopedVariable::Set("DBUS_SESSION_BUS_ADDRESS", fKeyring.Address().toUtf8());
	}

	// Whether text is in a file under the test folder or in an attribute
	// of one, the server's own files aside.
	std::string FileHolding(const std::string& text) const
	{
		for (const auto& entry : std::filesystem::recursive_directory_iterator(fPath)) {
			if (entry.path().parent_path() == fPath / "server")
				continue;
			const std::string path = entry.path().string();
			if (entry.is_regular_file() && ReadFile(path).find(text) != std::string::npos)
				return path;
			std::string names(65536, '\0');
			const ssize_t size = llistxattr(path.c_str(), names.data(), names.size());
			for (size_t at = 0; size > 0 && at < static_cast<size_t>(size);
				 at = names.find('\0', at) + 1) {
				if (Xattr(path, names.c_str() + at).find(text) != std::string::npos)
					return path + " (" + (names.c_str() + at) + ")";
			}
		}
		return "";
	}

	// Put back when the test ends.
	ScopedVariable fBusAddress{"DBUS_SESSION_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS")};
	KeyringDaemon fKeyring;
};
TEST_F(SecretServiceTest, PasswordIsStoredReplacedAndFoundByAnotherProcess)
{
	CardDavServer server;
	std::string error;
	ASSERT_TRUE(server.Start(CardDavServer::kRadicale, fPath / "server", &error)) << error;
	const QString address = QString::fromStdString(server.Address());
	const QString book = QString::fromStdString(server.BookAddress());
	const QString user = QString::fromStdString(server.User());
	const QString password = QString::fromStdString(server.Password());
	const QStringList ours = {"xdg:schema", "x-vnd.vornak-zibmo.CardDav", "user", user};

	QString message;
	ASSERT_TRUE(SecretStore().Store(book, user, "outdated", &message)) << message.toStdString();
	ZibBookRun refused = RunZibBook({"sync", "--user", user, PathOf("book").c_str(), address});
	EXPECT_EQ(refused.status, 3) << refused.err;

	// The server's address and any address book on it name one password.
	ASSERT_TRUE(SecretStore().Store(address, user, password, &message)) << message.toStdString();
	EXPECT_EQ(fKeyring.CountItems(ours), 1);
	QString found;
	EXPECT_TRUE(SecretStore().Lookup(book, user, found));
	EXPECT_EQ(found.toStdString(), password.toStdString());
	const std::string here = server.Address();
	for (const auto& [url, who] :
		 {std::pair{"http://127.0.0.1:1/", "alice"}, std::pair{"https://127.0.0.1/", "alice"},
		  std::pair{here.c_str(), "bob"}}) {
		QString none = "unchanged";
		EXPECT_FALSE(SecretStore().Lookup(url, who, none)) << url << who;
		EXPECT_EQ(none.toStdString(), "unchanged");
	}

	ZibBookRun synced = RunZibBook({"sync", "--user", user, PathOf("book").c_str(), address});
	EXPECT_EQ(synced.status, 0) << synced.err;
	ZibBookRun again = RunZibBook({"sync", PathOf("book").c_str()});
	EXPECT_EQ(again.status, 0) << again.err;
	EXPECT_EQ(FileHolding(password.toStdString()), "");

	// A locked keyring asks for its password in a window that no one can
	// answer here: calls fail, and never wait past their time-out.
	ASSERT_TRUE(fKeyring.Lock());
	const auto start = Clock::now();
	QString none = "unchanged";
	EXPECT_FALSE(SecretStore(1000).Lookup(address, user, none));
	EXPECT_FALSE(SecretStore(1000).Store(address, user, "new", &message));
	EXPECT_FALSE(message.isEmpty());
	EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
	EXPECT_EQ(none.toStdString(), "unchanged");
}

} // namespace
