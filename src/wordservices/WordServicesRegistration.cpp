#include "WordServicesRegistration.h"

#include <string.h>

#include <Node.h>
#include <TypeConstants.h>

static const char kServerAttribute[] = "WordServicesServer";
static const char kMenuCountAttribute[] = "Menu String Count";
static const char* const kMenuStringAttributes[] = {"Menu String 0", "Menu String 1"};
static const char* const kMenuStrings[] = {"Look Up E-Mail Address", "Look Up Postal Address"};

static status_t
write_attribute(BNode* node, const char* name, type_code type, const void* data, size_t size)
{
	ssize_t written = node->WriteAttr(name, type, 0, data, size);
	if (written < 0)
		return static_cast<status_t>(written);
	return static_cast<size_t>(written) == size ? B_OK : B_IO_ERROR;
}

status_t
WordServicesRegistration::WriteServerAttribute(BNode* node)
{
	const int32 server = 1;
	return write_attribute(node, kServerAttribute, B_INT32_TYPE, &server, sizeof(server));
}

status_t
WordServicesRegistration::WriteMenuStrings(BNode* node)
{
	const int32 count = 2;
	status_t status =
		write_attribute(node, kMenuCountAttribute, B_INT32_TYPE, &count, sizeof(count));
	for (int32 i = 0; i < count && status == B_OK; i++) {
		status = write_attribute(node, kMenuStringAttributes[i], B_STRING_TYPE, kMenuStrings[i],
								 strlen(kMenuStrings[i]) + 1);
	}
	return status;
}
