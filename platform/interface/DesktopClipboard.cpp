#include "DesktopClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QThread>

namespace {

bool
on_thread_of(const QObject* context)
{
	return QThread::currentThread() == context->thread();
}

// Owns the installed backend; a child of the application, so the backend
// goes when the application does.
class BackendOwner : public QObject {
public:
	explicit BackendOwner(QObject* parent) : QObject(parent), fBackend(this) {}
	~BackendOwner() override;

	BPrivate::DesktopClipboard& Backend() { return fBackend; }

private:
	BPrivate::DesktopClipboard fBackend;
};

// Only touched on the GUI thread.
BackendOwner* sOwner = nullptr;

BackendOwner::~BackendOwner()
{
	BPrivate::set_clipboard_backend(nullptr);
	sOwner = nullptr;
}

} // namespace

namespace BPrivate {

DesktopClipboard::DesktopClipboard(QObject* context) : fContext(context)
{
}

status_t
DesktopClipboard::WriteText(const char* data, size_t length)
{
	QString text = QString::fromUtf8(data, static_cast<qsizetype>(length));
	{
		std::lock_guard<std::mutex> lock(fLock);
		fWrittenBytes.assign(data, length);
		fWrittenText = text.toStdString();
		fDesktopText = fWrittenText;
	}
	if (on_thread_of(fContext)) {
		QGuiApplication::clipboard()->setText(text);
	} else {
		QMetaObject::invokeMethod(
			fContext, [text] { QGuiApplication::clipboard()->setText(text); },
			Qt::QueuedConnection);
	}
	return B_OK;
}

status_t
DesktopClipboard::ReadText(std::string* text)
{
	if (on_thread_of(fContext))
		Refresh();
	std::lock_guard<std::mutex> lock(fLock);
	*text = fDesktopText == fWrittenText ? fWrittenBytes : fDesktopText;
	return B_OK;
}

void
DesktopClipboard::Refresh()
{
	std::string current = QGuiApplication::clipboard()->text().toStdString();
	std::lock_guard<std::mutex> lock(fLock);
	fDesktopText = std::move(current);
}

status_t
install_desktop_clipboard()
{
	auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
	if (application == nullptr)
		return B_NO_INIT;
	if (!on_thread_of(application))
		return B_NOT_ALLOWED;
	if (sOwner != nullptr)
		return B_OK;

	sOwner = new BackendOwner(application);
	DesktopClipboard* backend = &sOwner->Backend();
	backend->Refresh();
	QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, sOwner,
					 [backend] { backend->Refresh(); });
	set_clipboard_backend(backend);
	return B_OK;
}

} // namespace BPrivate
