#include "SyncState.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "ABookRecord.h"
#include "BookConstants.h"

namespace {

const QByteArray kHeader = "zib-sync 1";

QString
CanonicalPath(const QString& path)
{
	const QFileInfo info(path);
	const QString canonical = info.canonicalFilePath();
	return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QByteArray
Encoded(const QByteArray& value)
{
	return value.toPercentEncoding();
}

QByteArray
Encoded(const QString& value)
{
	return value.toUtf8().toPercentEncoding();
}

QString
DecodedText(const QByteArray& value)
{
	return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
}

QByteArray
ItemLine(const SyncState::Item& item)
{
	return "item " + Encoded(item.href) + ' ' + Encoded(item.etag) + ' ' + Encoded(item.uid) + ' ' +
		   Encoded(item.fieldsHash);
}

void
Fail(QString* error, const QString& message)
{
	if (error != nullptr)
		*error = message;
}

} // namespace

SyncState::SyncState(const QString& bookPath)
	: fBookPath(CanonicalPath(bookPath)), fPath(PathFor(bookPath))
{
}

SyncState::~SyncState() = default;

QString
SyncState::PathFor(const QString& bookPath)
{
	const QString path = CanonicalPath(bookPath);
	const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1);
	return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
		   QStringLiteral("/x-vnd.vornak-zibmo/sync/") + QFileInfo(path).fileName() +
		   QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(16)) + QStringLiteral(".sync");
}

bool
SyncState::Open(QString* error)
{
	if (!QDir().mkpath(QFileInfo(fPath).absolutePath())) {
		Fail(error, QStringLiteral("The folder of the synchronization state, %1, cannot be made.")
						.arg(QFileInfo(fPath).absolutePath()));
		return false;
	}
	fLock = std::make_unique<QLockFile>(fPath + QStringLiteral(".lock"));
	// Only a lock whose process is gone is stale: a sync may run for long.
	fLock->setStaleLockTime(0);
	if (!fLock->tryLock(0)) {
		fLock.reset();
		Fail(error, QStringLiteral("Another synchronization of this address book is running."));
		return false;
	}

	QFile file(fPath);
	fCompact = false;
	if (file.open(QIODevice::ReadOnly)) {
		const QList<QByteArray> lines = file.readAll().split('\n');
		// The last piece is empty after a complete file, else a torn line.
		for (qsizetype i = 1; i + 1 < lines.size(); i++)
			_Apply(lines[i]);
		const qsizetype needed = 2 + fItems.size() + (fCtag.isEmpty() ? 0 : 1);
		fCompact = lines.size() == needed + 2 && lines.last().isEmpty() &&
				   lines.first().startsWith(kHeader + ' ');
	} else if (file.exists()) {
		Fail(error, QStringLiteral("The synchronization state %1 cannot be read: %2.")
						.arg(fPath, file.errorString()));
		return false;
	}
	// A file with a torn line, or lines that later ones replaced, is
	// rewritten first, so appends never continue a torn line.
	return Compact(error);
}

void
SyncState::_Apply(const QByteArray& line)
{
	const QList<QByteArray> words = line.split(' ');
	const QByteArray& tag = words[0];
	if (tag == "item" && words.size() == 5) {
		Item item{DecodedText(words[1]), QByteArray::fromPercentEncoding(words[2]),
				  DecodedText(words[3]), QByteArray::fromPercentEncoding(words[4])};
		fItems.insert(item.href, item);
		fCtag.clear();
	} else if (tag == "gone" && words.size() == 2) {
		fItems.remove(DecodedText(words[1]));
		fCtag.clear();
	} else if (tag == "account" && words.size() == 3) {
		// What was agreed with another address book says nothing about this one.
		const QString url = DecodedText(words[1]);
		if (url != fUrl) {
			fItems.clear();
			fToken.clear();
			fCtag.clear();
		}
		fUrl = url;
		fUser = DecodedText(words[2]);
	} else if (tag == "token" && words.size() == 2) {
		fToken = DecodedText(words[1]);
	} else if (tag == "ctag" && words.size() == 2) {
		fCtag = DecodedText(words[1]);
	}
}

QByteArray
SyncState::_Lines() const
{
	QByteArray lines = kHeader + ' ' + Encoded(fBookPath) + '\n';
	lines += "account " + Encoded(fUrl) + ' ' + Encoded(fUser) + '\n';
	lines += "token " + Encoded(fToken) + '\n';
	for (const Item& item : fItems)
		lines += ItemLine(item) + '\n';
	// After the items, whose lines drop it.
	if (!fCtag.isEmpty())
		lines += "ctag " + Encoded(fCtag) + '\n';
	return lines;
}

bool
SyncState::Compact(QString* error)
{
	if (!fCompact) {
		fFile.close();
		QSaveFile file(fPath);
		if (!file.open(QIODevice::WriteOnly) || file.write(_Lines()) < 0 || !file.commit()) {
			Fail(error, QStringLiteral("The synchronization state %1 cannot be written: %2.")
							.arg(fPath, file.errorString()));
			return false;
		}
		fCompact = true;
	}
	if (fFile.isOpen())
		return true;
	fFile.setFileName(fPath);
	if (!fFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
		Fail(error, QStringLiteral("The synchronization state %1 cannot be written: %2.")
						.arg(fPath, fFile.errorString()));
		return false;
	}
	return true;
}

bool
SyncState::_Append(const QByteArray& line, QString* error)
{
	// One write per line: a process killed meanwhile leaves whole lines and
	// at most one torn last line, which the next Open drops.
	if (!fFile.isOpen() || fFile.write(line + '\n') != line.size() + 1) {
		Fail(error, QStringLiteral("The synchronization state %1 cannot be written: %2.")
						.arg(fPath, fFile.errorString()));
		return false;
	}
	_Apply(line);
	fCompact = false;
	return true;
}

bool
SyncState::SetAccount(const QString& url, const QString& user, QString* error)
{
	return _Append("account " + Encoded(url) + ' ' + Encoded(user), error);
}

bool
SyncState::SetToken(const QString& token, QString* error)
{
	return _Append("token " + Encoded(token), error);
}

bool
SyncState::SetCtag(const QString& ctag, QString* error)
{
	return _Append("ctag " + Encoded(ctag), error);
}

bool
SyncState::Record(const Item& item, QString* error)
{
	return _Append(ItemLine(item), error);
}

bool
SyncState::Forget(const QString& href, QString* error)
{
	return _Append("gone " + Encoded(href), error);
}

QByteArray
SyncState::HashOfFields(const ABookRecord& record)
{
	QCryptographicHash hash(QCryptographicHash::Sha1);
	// Fields hold no tab, so the tabs keep "ab","c" apart from "a","bc".
	for (int field = 0; field < kFieldCount; field++) {
		hash.addData(QByteArrayView(record.Field(field)));
		hash.addData(QByteArrayView("\t", 1));
	}
	return hash.result().toHex();
}
