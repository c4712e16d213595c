#include "SecretStore.h"

#include <libsecret/secret.h>

#include <QFileInfo>
#include <QUrl>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

const SecretSchema*
Schema()
{
	static const SecretSchema schema = {"x-vnd.vornak-zibmo.CardDav",
										SECRET_SCHEMA_NONE,
										{{"url", SECRET_SCHEMA_ATTRIBUTE_STRING},
										 {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
										 {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
										0,
										nullptr,
										nullptr,
										nullptr,
										nullptr,
										nullptr,
										nullptr,
										nullptr};
	return &schema;
}

// Cancels a libsecret call that takes longer than the time-out.
class Deadline final {
public:
	explicit Deadline(int milliseconds) : fCancellable(g_cancellable_new())
	{
		fWatch = std::thread([this, milliseconds] {
			std::unique_lock<std::mutex> lock(fMutex);
			if (!fDone.wait_for(lock, std::chrono::milliseconds(milliseconds),
								[this] { return fFinished; }))
				g_cancellable_cancel(fCancellable);
		});
	}

	~Deadline()
	{
		{
			std::lock_guard<std::mutex> lock(fMutex);
			fFinished = true;
		}
		fDone.notify_one();
		fWatch.join();
		g_object_unref(fCancellable);
	}

	GCancellable* Cancellable() const { return fCancellable; }

private:
	GCancellable* fCancellable;
	std::mutex fMutex;
	std::condition_variable fDone;
	bool fFinished = false;
	std::thread fWatch;
};

QString
MessageOf(GError* error)
{
	QString message = QString::fromUtf8(error->message);
	g_error_free(error);
	return message;
}

} // namespace

SecretStore::SecretStore(int timeoutMilliseconds) : fTimeout(timeoutMilliseconds)
{
}

bool
SecretStore::HasSessionBus()
{
	const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
	if (!address.isEmpty())
		return true;
	const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
	return !runtime.isEmpty() && QFileInfo(QString::fromLocal8Bit(runtime) + "/bus").exists();
}

QString
SecretStore::ServerOf(const QString& url)
{
	return QUrl(url)
		.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
				  QUrl::RemoveUserInfo)
		.toString();
}

bool
SecretStore::Lookup(const QString& url, const QString& user, QString& password) const
{
	if (!HasSessionBus())
		return false;
	Deadline deadline(fTimeout);
	GError* error = nullptr;
	gchar* secret = secret_password_lookup_sync(Schema(), deadline.Cancellable(), &error, "url",
												ServerOf(url).toUtf8().constData(), "user",
												user.toUtf8().constData(), nullptr);
	if (error != nullptr)
		g_error_free(error);
	if (secret == nullptr)
		return false;
	password = QString::fromUtf8(secret);
	secret_password_free(secret);
	return true;
}

bool
SecretStore::Store(const QString& url, const QString& user, const QString& password,
				   QString* error) const
{
	if (!HasSessionBus()) {
		if (error != nullptr)
			*error = "no secret store is running";
		return false;
	}
	Deadline deadline(fTimeout);
	GError* failure = nullptr;
	const QString label = "Address book server " + user + " at " + ServerOf(url);
	const bool stored = secret_password_store_sync(
		Schema(), SECRET_COLLECTION_DEFAULT, label.toUtf8().constData(),
		password.toUtf8().constData(), deadline.Cancellable(), &failure, "url",
		ServerOf(url).toUtf8().constData(), "user", user.toUtf8().constData(), nullptr);
	if (failure != nullptr) {
		QString message = MessageOf(failure);
		if (error != nullptr)
			*error = "the secret store did not take the password: " + message;
		return false;
	}
	return stored;
}
