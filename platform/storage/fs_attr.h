#ifndef FS_ATTR_H
#define FS_ATTR_H

#include <SupportDefs.h>

// What BNode::GetAttrInfo() reports: the stored type and the data size in bytes.
struct attr_info {
	uint32 type;
	off_t size;
};

#endif // FS_ATTR_H
