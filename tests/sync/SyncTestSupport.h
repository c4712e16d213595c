#ifndef SYNC_TEST_SUPPORT_H
#define SYNC_TEST_SUPPORT_H

#include <string>

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <Entry.h>

#include "ZIBFiles.h"
#include "ZIBook.h"

// The Qt Core application the network calls need, made once per process.
inline void
EnsureCoreApplication()
{
	static int argc = 1;
	static char name[] = "sync_tests";
	static char* argv[] = {name, nullptr};
	static QCoreApplication application(argc, argv);
}

// Saves book as the file at path.
inline status_t
SaveBook(ZIBook& book, const std::string& path)
{
	entry_ref ref;
	status_t status = get_ref_for_path(path.c_str(), &ref);
	return status == B_OK ? ZIBFiles::WriteBook(&book, &ref, ZIBFrame{0, 0, 100, 100}) : status;
}

// A vCard 3.0 with a UID, a name and extra property lines.
inline QByteArray
TestCard(const QString& uid, const QString& name, const QByteArray& extra = QByteArray())
{
	return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid.toUtf8() + "\r\nFN:" + name.toUtf8() +
		   "\r\nN:" + name.toUtf8() + ";;;;\r\n" + extra + "END:VCARD\r\n";
}

#endif // SYNC_TEST_SUPPORT_H
