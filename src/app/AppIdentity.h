#ifndef APP_IDENTITY_H
#define APP_IDENTITY_H

#include <SupportDefs.h>

// The application's identity: what its resources declared on the original
// platform (signature and version resource), compiled in here.
struct AppIdentity {
	const char* signature;
	uint32 major;
	uint32 middle;
	uint32 minor;
	const char* variety;
	uint32 internal;
	const char* shortDescription;
	const char* longDescription;
};

inline constexpr AppIdentity kAppIdentity = {
	.signature = "application/x-vnd.vornak-zibmo",
	.major = 1,
	.middle = 0,
	.minor = 0,
	.variety = "development",
	.internal = 10,
	.shortDescription = "Address Book",
	.longDescription = "Larimo Address Book DIDE 1.0d10",
};

// The name the executable is installed under.
inline constexpr char kAppExecutableName[] = "zibmo";

#endif // APP_IDENTITY_H
