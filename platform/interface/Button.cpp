#include "Button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <Window.h>

#include "QtConversions.h"
#include "ViewWidget.h"

BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
				 uint32 resizingMode, uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags)
{
	SetViewColor(B_TRANSPARENT_COLOR);
}

BButton::~BButton() = default;

void
BButton::Draw(BRect)
{
	BPrivate::ViewWidget* widget = _Widget();
	QPainter* painter = widget->Painter();
	if (painter == nullptr)
		return;
	QStyleOptionButton option;
	option.initFrom(widget);
	option.rect = BPrivate::to_qt(Bounds());
	option.text = BPrivate::to_qt(Label());
	option.state = QStyle::State_None;
	if (IsEnabled())
		option.state |= QStyle::State_Enabled;
	option.state |= Value() != B_CONTROL_OFF ? QStyle::State_Sunken : QStyle::State_Raised;
	if (IsFocus())
		option.state |= QStyle::State_HasFocus;
	if (IsDefault())
		option.features |= QStyleOptionButton::DefaultButton;
	widget->style()->drawControl(QStyle::CE_PushButton, &option, painter, widget);
}

void
BButton::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	SetValue(B_CONTROL_ON);
}

void
BButton::MouseUp(BPoint where)
{
	if (Value() == B_CONTROL_OFF)
		return;
	SetValue(B_CONTROL_OFF);
	if (Bounds().Contains(where))
		Invoke();
}

void
BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE))
		Invoke();
	else
		BControl::KeyDown(bytes, numBytes);
}

void
BButton::MakeDefault(bool isDefault)
{
	BWindow* window = Window();
	if (window == nullptr)
		return;
	if (isDefault)
		window->SetDefaultButton(this);
	else if (window->DefaultButton() == this)
		window->SetDefaultButton(nullptr);
}

bool
BButton::IsDefault() const
{
	return Window() != nullptr && Window()->DefaultButton() == this;
}
