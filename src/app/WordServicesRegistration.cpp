#include "WordServicesRegistration.h"

#include <cstring>

#include <Node.h>
#include <TypeConstants.h>
#include <fs_attr.h>
#include <fs_index.h>

const char* const kWordServicesServerAttr = "WordServicesServer";
const char* const kMenuStringCountAttr = "Menu String Count";
const char* const kMenuStringAttrs[2] = {"Menu String 0", "Menu String 1"};
const char* const kMenuStrings[2] = {"Look Up E-Mail Address", "Look Up Postal Address"};

namespace {

status_t
write_attr(BNode* node, const char* name, type_code type, const void* data, size_t size)
{
	ssize_t written = node->WriteAttr(name, type, 0, data, size);
	if (written < 0)
		return status_t(written);
	return size_t(written) == size ? B_OK : B_IO_ERROR;
}

status_t
write_int32(BNode* node, const char* name, int32 value)
{
	// Little-endian, as the platform's x86 builds stored it, on any host.
	const uint32 bits = uint32(value);
	const uint8 bytes[4] = {uint8(bits), uint8(bits >> 8), uint8(bits >> 16), uint8(bits >> 24)};
	return write_attr(node, name, B_INT32_TYPE, bytes, sizeof(bytes));
}

bool
has_attr(const BNode* node, const char* name)
{
	attr_info info;
	return node->GetAttrInfo(name, &info) == B_OK;
}

} // namespace

status_t
ValidateWordServicesIndex(dev_t device, bool* created)
{
	*created = false;
	index_info info;
	if (fs_stat_index(device, kWordServicesServerAttr, &info) == B_OK)
		return B_OK;
	*created = true;
	return fs_create_index(device, kWordServicesServerAttr, B_INT32_TYPE, 0);
}

status_t
WriteWordServicesAttribute(BNode* node)
{
	return write_int32(node, kWordServicesServerAttr, 1);
}

status_t
WriteMenuStringsAttributes(BNode* node)
{
	status_t status = write_int32(node, kMenuStringCountAttr, 2);
	for (int32 i = 0; i < 2; i++) {
		status_t written = write_attr(node, kMenuStringAttrs[i], B_STRING_TYPE, kMenuStrings[i],
									  strlen(kMenuStrings[i]) + 1);
		if (status == B_OK)
			status = written;
	}
	return status;
}

status_t
RepairWordServicesAttributes(BNode* node, bool rewriteServer)
{
	status_t status = B_OK;
	if (rewriteServer || !has_attr(node, kWordServicesServerAttr))
		status = WriteWordServicesAttribute(node);
	if (!has_attr(node, kMenuStringCountAttr)) {
		status_t written = WriteMenuStringsAttributes(node);
		if (status == B_OK)
			status = written;
	}
	return status;
}
