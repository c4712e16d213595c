#include "FilePanelDialog.h"

#include <QFileSystemModel>
#include <QSortFilterProxyModel>

#include <FilePanel.h>
#include <Node.h>

namespace BPrivate {

namespace {

// Lists only what the panel's ref filter accepts.
class RefFilterModel : public QSortFilterProxyModel {
public:
	explicit RefFilterModel(BRefFilter* filter) : fFilter(filter) {}

protected:
	bool filterAcceptsRow(int row, const QModelIndex& parent) const override
	{
		auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
		if (files == nullptr)
			return true;
		QByteArray path = files->filePath(files->index(row, 0, parent)).toUtf8();
		entry_ref ref;
		struct stat info;
		if (get_ref_for_path(path.constData(), &ref) != B_OK || lstat(path.constData(), &info) != 0)
			return false;
		BNode node(&ref);
		return fFilter->Filter(&ref, &node, &info, "");
	}

private:
	BRefFilter* fFilter;
};

} // namespace

FilePanelDialog::FilePanelDialog(BFilePanel* panel, BRefFilter* filter) : fPanel(panel)
{
	if (filter != nullptr) {
		// The proxy model needs the dialog's own file list.
		setOption(QFileDialog::DontUseNativeDialog);
		setProxyModel(new RefFilterModel(filter));
	}
}

void
FilePanelDialog::done(int result)
{
	bool hide = result == QDialog::Rejected || fPanel->fHideWhenDone;
	if (result == QDialog::Accepted) {
		std::vector<std::string> paths;
		for (const QString& file : selectedFiles())
			paths.push_back(file.toStdString());
		fPanel->_Accept(paths);
	}
	if (!hide)
		return;
	QFileDialog::done(result);
	fPanel->_Closed();
}

} // namespace BPrivate
