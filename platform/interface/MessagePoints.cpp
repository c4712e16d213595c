#include "MessagePoints.h"

#include <cstring>

#include <Message.h>
#include <TypeConstants.h>

namespace BPrivate {

status_t
add_point(BMessage* message, const char* name, BPoint point)
{
	float data[2] = {point.x, point.y};
	return message->AddData(name, B_POINT_TYPE, data, sizeof(data));
}

status_t
find_point(const BMessage* message, const char* name, BPoint* point)
{
	const void* data;
	ssize_t size;
	status_t status = message->FindData(name, B_POINT_TYPE, &data, &size);
	if (status != B_OK)
		return status;
	if (size != 2 * sizeof(float))
		return B_BAD_DATA;
	float values[2];
	memcpy(values, data, sizeof(values));
	point->Set(values[0], values[1]);
	return B_OK;
}

} // namespace BPrivate
