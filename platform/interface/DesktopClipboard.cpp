#include "DesktopClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QThread>

namespace {

const char* const kTextType = "text/plain";
// The forms besides plain text that pass between this process and the
// desktop.
const char* const kOtherTypes[] = {"text/vcard"};

bool
on_thread_of(const QObject* context)
{
	return QThread::currentThread() == context->thread();
}

// The desktop's form of items: plain text as text, the rest as data.
QMimeData*
mime_data(const std::vector<BPrivate::ClipboardItem>& items)
{
	auto* data = new QMimeData;
	for (const BPrivate::ClipboardItem& item : items) {
		if (item.type == kTextType)
			data->setText(QString::fromStdString(item.data));
		else
			data->setData(QString::fromStdString(item.type),
						  QByteArray(item.data.data(), static_cast<qsizetype>(item.data.size())));
	}
	return data;
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
DesktopClipboard::Write(const std::vector<ClipboardItem>& items)
{
	// In the order Refresh() sees them: the text, then the known forms.
	std::vector<ClipboardItem> shown;
	for (const ClipboardItem& item : items) {
		if (item.type == kTextType) {
			QString text =
				QString::fromUtf8(item.data.data(), static_cast<qsizetype>(item.data.size()));
			shown.insert(shown.begin(), {kTextType, text.toStdString()});
		}
	}
	for (const char* type : kOtherTypes) {
		for (const ClipboardItem& item : items) {
			if (item.type == type)
				shown.push_back(item);
		}
	}
	{
		std::lock_guard<std::mutex> lock(fLock);
		fWritten = items;
		fWrittenShown = shown;
		fDesktop = shown;
	}
	auto publish = [shown] { QGuiApplication::clipboard()->setMimeData(mime_data(shown)); };
	if (on_thread_of(fContext))
		publish();
	else
		QMetaObject::invokeMethod(fContext, publish, Qt::QueuedConnection);
	return B_OK;
}

status_t
DesktopClipboard::Read(std::vector<ClipboardItem>* items)
{
	if (on_thread_of(fContext))
		Refresh();
	std::lock_guard<std::mutex> lock(fLock);
	*items = fDesktop == fWrittenShown ? fWritten : fDesktop;
	return B_OK;
}

void
DesktopClipboard::Refresh()
{
	std::vector<ClipboardItem> current;
	if (const QMimeData* data = QGuiApplication::clipboard()->mimeData()) {
		if (data->hasText())
			current.push_back({kTextType, data->text().toStdString()});
		for (const char* type : kOtherTypes) {
			if (data->hasFormat(type))
				current.push_back({type, data->data(type).toStdString()});
		}
	}
	std::lock_guard<std::mutex> lock(fLock);
	fDesktop = std::move(current);
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
