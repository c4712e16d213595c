#ifndef MESSAGE_POINTS_H
#define MESSAGE_POINTS_H

#include <Point.h>
#include <SupportDefs.h>

class BMessage;

namespace BPrivate {

// BPoint fields (B_POINT_TYPE: two floats) of the interface kit's messages.
status_t add_point(BMessage* message, const char* name, BPoint point);
// B_OK, or the reason; *point is left alone then.
status_t find_point(const BMessage* message, const char* name, BPoint* point);

} // namespace BPrivate

#endif // MESSAGE_POINTS_H
