#ifndef ERRNO_STATUS_H
#define ERRNO_STATUS_H

#include <SupportDefs.h>

namespace BPrivate {

// The one place where errno values become status codes and back.
// status_for_errno(0) is B_OK; an errno without a platform name becomes
// B_POSIX_ERROR_BASE + errno.
status_t status_for_errno(int error);
int errno_for_status(status_t status);

// A human-readable text for a status code, for messages shown to the user.
const char* status_text(status_t status);

} // namespace BPrivate

#endif // ERRNO_STATUS_H
