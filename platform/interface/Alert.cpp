#include "Alert.h"

#include <memory>

#include <QMessageBox>
#include <QPushButton>

#include <Invoker.h>
#include <Message.h>

#include "QtConversions.h"

namespace {

std::function<int32(const BAlert&)> sResponder;

QMessageBox::Icon
icon_for(alert_type type)
{
	switch (type) {
		case B_INFO_ALERT:
		case B_IDEA_ALERT:
			return QMessageBox::Information;
		case B_WARNING_ALERT:
			return QMessageBox::Warning;
		case B_STOP_ALERT:
			return QMessageBox::Critical;
		case B_EMPTY_ALERT:
			break;
	}
	return QMessageBox::NoIcon;
}

} // namespace

namespace BPrivate {

void
set_alert_responder(std::function<int32(const BAlert&)> responder)
{
	sResponder = std::move(responder);
}

} // namespace BPrivate

BAlert::BAlert(const char* title, const char* text, const char* button0, const char* button1,
			   const char* button2, button_width, alert_type type)
	: fTitle(title != nullptr ? title : ""), fText(text != nullptr ? text : ""), fType(type),
	  fEscapeButton(-1)
{
	for (const char* label : {button0, button1, button2}) {
		if (label == nullptr)
			break;
		fButtons.emplace_back(label);
	}
}

BAlert::~BAlert() = default;

int32
BAlert::Go()
{
	int32 result = -1;
	_Show([&result](int32 which) { result = which; }, true);
	delete this;
	return result;
}

status_t
BAlert::Go(BInvoker* invoker)
{
	std::shared_ptr<BInvoker> owned(invoker);
	_Show(
		[this, owned](int32 which) {
			if (owned != nullptr && owned->Message() != nullptr) {
				BMessage message(*owned->Message());
				message.AddInt32("which", which);
				owned->Invoke(&message);
			}
			delete this;
		},
		false);
	return B_OK;
}

void
BAlert::SetShortcut(int32 index, char key)
{
	if (key == B_ESCAPE && index >= 0 && index < CountButtons())
		fEscapeButton = index;
}

const char*
BAlert::ButtonLabel(int32 index) const
{
	if (index < 0 || index >= CountButtons())
		return nullptr;
	return fButtons[index].c_str();
}

void
BAlert::_Show(const std::function<void(int32)>& done, bool modal)
{
	if (sResponder) {
		done(sResponder(*this));
		return;
	}
	auto* box = new QMessageBox(icon_for(fType), BPrivate::to_qt(fTitle.c_str()),
								BPrivate::to_qt(fText.c_str()));
	std::vector<QAbstractButton*> buttons;
	for (const std::string& label : fButtons)
		buttons.push_back(box->addButton(BPrivate::to_qt(label.c_str()), QMessageBox::AcceptRole));
	if (fEscapeButton >= 0)
		box->setEscapeButton(buttons[fEscapeButton]);
	if (!buttons.empty())
		box->setDefaultButton(static_cast<QPushButton*>(buttons.back()));
	auto which = [box, buttons]() -> int32 {
		for (size_t i = 0; i < buttons.size(); i++) {
			if (box->clickedButton() == buttons[i])
				return static_cast<int32>(i);
		}
		return -1;
	};
	if (modal) {
		box->exec();
		int32 result = which();
		delete box;
		done(result == -1 ? fEscapeButton : result);
		return;
	}
	box->setAttribute(Qt::WA_DeleteOnClose);
	int32 escape = fEscapeButton;
	QObject::connect(box, &QMessageBox::finished, box, [which, done, escape](int) {
		int32 result = which();
		done(result == -1 ? escape : result);
	});
	box->open();
}
