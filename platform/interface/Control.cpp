#include "Control.h"

#include <Message.h>
#include <Window.h>

BControl::BControl(BRect frame, const char* name, const char* label, BMessage* message,
				   uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags), BInvoker(message, nullptr),
	  fLabel(label != nullptr ? label : ""), fValue(B_CONTROL_OFF), fEnabled(true)
{
}

BControl::~BControl() = default;

void
BControl::AttachedToWindow()
{
	if (!Messenger().IsValid())
		SetTarget(Window());
	BView::AttachedToWindow();
}

void
BControl::SetLabel(const char* label)
{
	fLabel = label != nullptr ? label : "";
	Invalidate();
}

void
BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}

void
BControl::MakeFocus(bool focus)
{
	bool had = IsFocus();
	BView::MakeFocus(focus);
	if (IsFocus() != had)
		Invalidate();
}

void
BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	Invalidate();
}

status_t
BControl::Invoke(BMessage* message)
{
	if (!fEnabled)
		return B_ERROR;
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt32("be:value", fValue);
	return _Send(&copy);
}
