#include "View.h"

#include <algorithm>
#include <cstring>

#include <QImage>
#include <QPainter>

#include <Looper.h>
#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>

#include "QtConversions.h"
#include "ViewWidget.h"

using BPrivate::to_qt;

namespace {

const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kWhite = {255, 255, 255, 255};

bool
is_solid(const pattern& fill, uint8 bits)
{
	return std::all_of(std::begin(fill.data), std::end(fill.data),
					   [bits](uint8 row) { return row == bits; });
}

QBrush
brush_for(const pattern& fill, rgb_color high, rgb_color low)
{
	if (is_solid(fill, 0xff))
		return QBrush(to_qt(high));
	if (is_solid(fill, 0))
		return QBrush(to_qt(low));
	QImage tile(8, 8, QImage::Format_ARGB32);
	for (int y = 0; y < 8; y++) {
		for (int x = 0; x < 8; x++) {
			bool set = (fill.data[y] & (0x80 >> x)) != 0;
			tile.setPixelColor(x, y, to_qt(set ? high : low));
		}
	}
	return QBrush(tile);
}

// The new position of an edge at coordinate, kept at its distance to the
// parent edge that rule names.
float
follow(uint32 rule, uint32 farRule, float coordinate, float delta)
{
	if (rule == farRule)
		return coordinate + delta;
	return coordinate;
}

} // namespace

BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	: BHandler(name), fWidget(new BPrivate::ViewWidget(this)), fParent(nullptr), fWindow(nullptr),
	  fFrame(frame), fResizingMode(resizingMode), fFlags(flags), fHighColor(kBlack),
	  fLowColor(kWhite), fViewColor(kWhite), fFont(be_plain_font), fHorizontalBar(nullptr),
	  fVerticalBar(nullptr)
{
	_PlaceWidget();
}

BView::~BView()
{
	for (BScrollBar* bar : {fHorizontalBar, fVerticalBar}) {
		if (bar != nullptr)
			bar->SetTarget(nullptr);
	}
	if (fParent != nullptr)
		fParent->RemoveChild(this);
	while (!fChildren.empty()) {
		BView* child = fChildren.back();
		RemoveChild(child);
		delete child;
	}
	delete fWidget;
}

void
BView::AttachedToWindow()
{
}

void
BView::Draw(BRect)
{
}

void
BView::MouseDown(BPoint)
{
}

void
BView::MouseUp(BPoint)
{
}

void
BView::KeyDown(const char* bytes, int32 numBytes)
{
	// Keyboard navigation: Tab moves the focus to the next navigable view,
	// Shift-Tab to the previous one.
	if (numBytes < 1 || bytes[0] != B_TAB || fWindow == nullptr)
		return;
	int32 modifiers = 0;
	if (BMessage* message = fWindow->CurrentMessage())
		message->FindInt32("modifiers", &modifiers);
	fWindow->_NavigateFocus((modifiers & B_SHIFT_KEY) == 0);
}

void
BView::FrameResized(float, float)
{
}

void
BView::FrameMoved(BPoint)
{
}

void
BView::MakeFocus(bool focus)
{
	if (fWindow == nullptr)
		return;
	BView* previous = fWindow->CurrentFocus();
	fWindow->_SetFocus(this, focus);
	if (focus)
		fWidget->setFocus(Qt::OtherFocusReason);
	// The view that loses the focus hears of it, so it can redraw.
	if (focus && previous != nullptr && previous != this)
		previous->MakeFocus(false);
}

void
BView::ScrollTo(BPoint where)
{
	if (where == fOrigin)
		return;
	fOrigin = where;
	for (BView* child : fChildren)
		child->_PlaceWidget();
	Invalidate();
	if (fHorizontalBar != nullptr)
		fHorizontalBar->SetValue(where.x);
	if (fVerticalBar != nullptr)
		fVerticalBar->SetValue(where.y);
}

void
BView::AddChild(BView* child, BView* sibling)
{
	if (child == nullptr || child->fParent != nullptr || child == this)
		return;
	auto position = std::find(fChildren.begin(), fChildren.end(), sibling);
	fChildren.insert(position, child);
	child->fParent = this;
	child->fWidget->setParent(fWidget);
	child->_PlaceWidget();
	if (sibling != nullptr)
		child->fWidget->stackUnder(sibling->fWidget);
	child->fWidget->show();
	if (fWindow != nullptr)
		child->_Attach(fWindow);
}

bool
BView::RemoveChild(BView* child)
{
	auto position = std::find(fChildren.begin(), fChildren.end(), child);
	if (child == nullptr || position == fChildren.end())
		return false;
	if (child->fWindow != nullptr)
		child->_Detach();
	fChildren.erase(position);
	child->fParent = nullptr;
	child->fWidget->hide();
	child->fWidget->setParent(nullptr);
	return true;
}

int32
BView::CountChildren() const
{
	return static_cast<int32>(fChildren.size());
}

BView*
BView::ChildAt(int32 index) const
{
	if (index < 0 || index >= CountChildren())
		return nullptr;
	return fChildren[index];
}

BView*
BView::FindView(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	if (Name() != nullptr && strcmp(Name(), name) == 0)
		return const_cast<BView*>(this);
	for (BView* child : fChildren) {
		if (BView* found = child->FindView(name))
			return found;
	}
	return nullptr;
}

BRect
BView::Bounds() const
{
	return BRect(fOrigin.x, fOrigin.y, fOrigin.x + fFrame.Width(), fOrigin.y + fFrame.Height());
}

void
BView::MoveTo(BPoint where)
{
	_SetFrame(fFrame.OffsetToCopy(where.x, where.y));
}

void
BView::ResizeTo(float width, float height)
{
	_SetFrame(BRect(fFrame.left, fFrame.top, fFrame.left + width, fFrame.top + height));
}

bool
BView::IsFocus() const
{
	return fWindow != nullptr && fWindow->CurrentFocus() == this;
}

BScrollBar*
BView::ScrollBar(orientation direction) const
{
	return direction == B_HORIZONTAL ? fHorizontalBar : fVerticalBar;
}

void
BView::Invalidate()
{
	fWidget->update();
}

void
BView::Invalidate(BRect rect)
{
	fWidget->update(to_qt(rect.OffsetByCopy(-fOrigin.x, -fOrigin.y)));
}

void
BView::SetViewColor(rgb_color color)
{
	fViewColor = color;
	Invalidate();
}

void
BView::SetFont(const BFont* font)
{
	if (font != nullptr)
		fFont = *font;
	fWidget->setFont(to_qt(fFont));
}

void
BView::GetFont(BFont* font) const
{
	if (font != nullptr)
		*font = fFont;
}

float
BView::StringWidth(const char* string) const
{
	return fFont.StringWidth(string);
}

void
BView::GetFontHeight(font_height* height) const
{
	fFont.GetHeight(height);
}

void
BView::FillRect(BRect rect, pattern fill)
{
	if (QPainter* painter = fWidget->Painter())
		painter->fillRect(to_qt(rect), brush_for(fill, fHighColor, fLowColor));
}

void
BView::StrokeRect(BRect rect, pattern stroke)
{
	_Stroke(rect.LeftTop(), rect.RightTop(), stroke);
	_Stroke(rect.RightTop(), rect.RightBottom(), stroke);
	_Stroke(rect.RightBottom(), rect.LeftBottom(), stroke);
	_Stroke(rect.LeftBottom(), rect.LeftTop(), stroke);
}

void
BView::StrokeLine(BPoint start, BPoint end, pattern stroke)
{
	_Stroke(start, end, stroke);
}

void
BView::DrawString(const char* string, BPoint baseline)
{
	QPainter* painter = fWidget->Painter();
	if (painter == nullptr || string == nullptr)
		return;
	painter->setFont(to_qt(fFont));
	painter->setPen(to_qt(fHighColor));
	painter->drawText(BPrivate::to_qt_f(baseline), to_qt(string));
}

void
BView::InvertRect(BRect rect)
{
	QPainter* painter = fWidget->Painter();
	if (painter == nullptr)
		return;
	painter->save();
	painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
	painter->fillRect(to_qt(rect), Qt::white);
	painter->restore();
}

void
BView::MessageReceived(BMessage* message)
{
	if (message->what == B_MOUSE_WHEEL_CHANGED &&
		(fHorizontalBar != nullptr || fVerticalBar != nullptr)) {
		for (BScrollBar* bar : {fHorizontalBar, fVerticalBar}) {
			if (bar == nullptr)
				continue;
			bool horizontal = bar->Orientation() == B_HORIZONTAL;
			float notches =
				message->GetFloat(horizontal ? "be:wheel_delta_x" : "be:wheel_delta_y", 0);
			if (notches != 0)
				bar->SetValue(bar->Value() + notches * WheelStep(bar->Orientation()));
		}
		return;
	}
	BHandler::MessageReceived(message);
}

float
BView::WheelStep(orientation direction) const
{
	float smallStep = 1;
	if (BScrollBar* bar = ScrollBar(direction))
		bar->GetSteps(&smallStep, nullptr);
	return 3 * smallStep;
}

void
BView::_ParentResized(float dx, float dy)
{
	uint32 mode = fResizingMode;
	BRect frame = fFrame;
	frame.left = follow((mode >> 8) & 0xf, _VIEW_RIGHT_, fFrame.left, dx);
	frame.right = follow(mode & 0xf, _VIEW_RIGHT_, fFrame.right, dx);
	frame.top = follow((mode >> 12) & 0xf, _VIEW_BOTTOM_, fFrame.top, dy);
	frame.bottom = follow((mode >> 4) & 0xf, _VIEW_BOTTOM_, fFrame.bottom, dy);
	_SetFrame(frame);
}

void
BView::_Attach(BWindow* window)
{
	fWindow = window;
	window->AddHandler(this);
	SetNextHandler(fParent != nullptr ? static_cast<BHandler*>(fParent) : window);
	AttachedToWindow();
	for (BView* child : fChildren)
		child->_Attach(window);
}

void
BView::_Detach()
{
	for (BView* child : fChildren)
		child->_Detach();
	fWindow->_ViewDetached(this);
	fWindow->RemoveHandler(this);
	fWindow = nullptr;
}

void
BView::_PlaceWidget()
{
	BPoint parentOrigin = fParent != nullptr ? fParent->fOrigin : B_ORIGIN;
	fWidget->setGeometry(to_qt(fFrame.OffsetByCopy(-parentOrigin.x, -parentOrigin.y)));
}

void
BView::_SetFrame(BRect frame)
{
	float dx = frame.Width() - fFrame.Width();
	float dy = frame.Height() - fFrame.Height();
	bool moved = frame.LeftTop() != fFrame.LeftTop();
	fFrame = frame;
	_PlaceWidget();
	if (moved && (fFlags & B_FRAME_EVENTS) != 0)
		FrameMoved(frame.LeftTop());
	if (dx == 0 && dy == 0)
		return;
	for (BView* child : fChildren)
		child->_ParentResized(dx, dy);
	if ((fFlags & B_FRAME_EVENTS) != 0)
		FrameResized(frame.Width(), frame.Height());
}

void
BView::_Paint(BRect updateRect)
{
	QPainter* painter = fWidget->Painter();
	if (fViewColor != B_TRANSPARENT_COLOR)
		painter->fillRect(to_qt(updateRect), to_qt(fViewColor));
	Draw(updateRect);
}

void
BView::_Stroke(BPoint start, BPoint end, pattern stroke)
{
	QPainter* painter = fWidget->Painter();
	if (painter == nullptr)
		return;
	QPen pen(brush_for(stroke, fHighColor, fLowColor), 1);
	pen.setCapStyle(Qt::SquareCap);
	painter->setPen(pen);
	painter->drawLine(to_qt(start), to_qt(end));
}
