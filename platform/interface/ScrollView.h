#ifndef SCROLL_VIEW_H
#define SCROLL_VIEW_H

#include <View.h>

class BScrollBar;

// A frame around a target view with scroll bars beside it. The scroll view
// takes the target's place: its frame is the target's frame grown by the
// border and the bars, and the target (which it adopts) follows all its
// sides.
class BScrollView : public BView {
public:
	BScrollView(const char* name, BView* target, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
				uint32 flags = 0, bool horizontal = false, bool vertical = false,
				border_style border = B_FANCY_BORDER);
	~BScrollView() override;

	void Draw(BRect updateRect) override;

	BScrollBar* ScrollBar(orientation direction) const;
	BView* Target() const { return fTarget; }

private:
	BView* fTarget;
	BScrollBar* fHorizontalBar;
	BScrollBar* fVerticalBar;
	border_style fBorder;
};

#endif // SCROLL_VIEW_H
