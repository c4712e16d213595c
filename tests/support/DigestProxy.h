#ifndef DIGEST_PROXY_H
#define DIGEST_PROXY_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QCryptographicHash>
#include <QProcess>
#include <QUrl>

#include "CardDavServer.h"
#include "ChildProcess.h"

// A real web server that takes nothing but HTTP Digest credentials (RFC 7616)
// and forwards what it lets through to a server behind it: lighttpd with
// mod_auth and mod_proxy on a free port of 127.0.0.1, its files in a folder
// of the test. Stopped when destroyed.
class DigestProxy {
public:
	static constexpr const char* kRealm = "Zibmo test";

	~DigestProxy() { Stop(); }

	// Starts the proxy in front of backend for one user, offering algorithm
	// ("MD5", "SHA-256" or "MD5|SHA-256"); false, with why, when it did not
	// come up.
	bool Start(const QUrl& backend, const std::filesystem::path& directory, const QString& user,
			   const QString& password, const char* algorithm, std::string* error)
	{
		std::filesystem::create_directories(directory / "root");
		const std::filesystem::path users = directory / "users";
		const std::filesystem::path config = directory / "lighttpd.conf";
		const std::filesystem::path errors = directory / "error.log";
		const QByteArray secret = user.toUtf8() + ':' + kRealm + ':';
		const auto hash = QByteArray(algorithm).contains("MD5") ? QCryptographicHash::Md5
																: QCryptographicHash::Sha256;
		std::ofstream(users)
			<< secret.toStdString()
			<< QCryptographicHash::hash(secret + password.toUtf8(), hash).toHex().toStdString()
			<< '\n';
		fPort = LoopbackPort(0);
		std::ofstream(config)
			<< "server.modules = (\"mod_auth\", \"mod_authn_file\", \"mod_proxy\")\n"
			<< "server.bind = \"127.0.0.1\"\nserver.port = " << fPort << '\n'
			<< "server.document-root = \"" << (directory / "root").string() << "\"\n"
			<< "server.errorlog = \"" << errors.string() << "\"\n"
			<< "auth.backend = \"htdigest\"\n"
			<< "auth.backend.htdigest.userfile = \"" << users.string() << "\"\n"
			<< "auth.require = (\"/\" => (\"method\" => \"digest\", \"realm\" => \"" << kRealm
			<< "\", \"require\" => \"valid-user\", \"algorithm\" => \"" << algorithm << "\"))\n"
			<< "proxy.server = (\"\" => ((\"host\" => \"127.0.0.1\", \"port\" => " << backend.port()
			<< ")))\n";

		fProcess.setProcessChannelMode(QProcess::MergedChannels);
		fProcess.setStandardOutputFile(
			QString::fromStdString((directory / "lighttpd.out").string()));
		DieWithTest(fProcess);
		fProcess.start("lighttpd", {"-D", "-f", QString::fromStdString(config.string())});
		if (fProcess.waitForStarted() &&
			Listens(fPort, [this] { return fProcess.state() == QProcess::Running; }))
			return true;
		*error = "lighttpd did not listen: " + fProcess.errorString().toStdString() +
				 _Read(directory / "lighttpd.out") + _Read(errors);
		return false;
	}

	void Stop() { EndProcess(fProcess); }

	// url of the server behind, reached through the proxy.
	QUrl Through(QUrl url) const
	{
		url.setPort(fPort);
		return url;
	}

private:
	static std::string _Read(const std::filesystem::path& path)
	{
		std::ifstream in(path);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}

	QProcess fProcess;
	int fPort = 0;
};

#endif // DIGEST_PROXY_H
