#ifndef COLUMNLABEL_H
#define COLUMNLABEL_H

#include <Button.h>

// A column title above the record list: a flat lilac button that sorts the
// book by its field when clicked.
class ColumnLabel : public BButton {
public:
	// The button takes exactly the frame's size.
	ColumnLabel(BRect frame, const char* name, const char* label, BMessage* message,
		uint32 resizingMode, uint32 flags);
	~ColumnLabel() override;

	void Draw(BRect updateRect) override;
};

#endif // COLUMNLABEL_H
