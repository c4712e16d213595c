#ifndef NODE_H
#define NODE_H

#include <memory>
#include <string>

#include <StorageDefs.h>
#include <SupportDefs.h>
#include <fs_attr.h>

class BEntry;
class BNode;
struct entry_ref;

namespace BPrivate {
// The open descriptor of node, or -1 (a symbolic link, or a node that could
// not be opened for reading). The node keeps owning it.
int node_descriptor(const BNode* node);
} // namespace BPrivate

// A file-system node with its attributes: a file, a directory or a symbolic
// link. A node set to an entry that is a link is the link itself.
//
// Attributes are Linux extended attributes named "user.haiku." plus the name
// (with '/' written as "%\" and '%' as "%%"), whose value is the 4-byte type
// code in host order followed by the data, as the platform's own tools keep
// them on Linux. A file system without extended attributes fails the
// attribute calls with a status (B_UNSUPPORTED or the mapped errno).
// Writing "BEOS:TYPE" also sets the desktop's "user.mime_type" to the text
// (without its NUL).
//
// Not thread-safe.
class BNode {
public:
	BNode();
	BNode(const entry_ref* ref);
	BNode(const BEntry* entry);
	BNode(const char* path);
	virtual ~BNode();

	BNode(const BNode&) = delete;
	BNode& operator=(const BNode&) = delete;

	// B_ENTRY_NOT_FOUND when the node does not exist.
	status_t InitCheck() const;

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path);
	virtual void Unset();

	// Flushes the node to the disk; B_UNSUPPORTED for a node held without a
	// descriptor (a symbolic link).
	virtual status_t Sync();

	// Copies up to readBytes of the attribute's data from offset on; answers
	// the number of bytes copied (0 past the end) or an error status:
	// B_ENTRY_NOT_FOUND when the attribute is missing, B_BAD_DATA when the
	// stored value is too short to hold a type. The type is not checked.
	ssize_t ReadAttr(const char* name, type_code type, off_t offset, void* buffer,
					 size_t readBytes) const;
	// Replaces the attribute's value by type and the data, preceded by offset
	// zero bytes; answers writeBytes or an error status. At most 40960 bytes
	// (offset included) are stored: B_BAD_VALUE beyond. On a symbolic link,
	// which Linux lets hold no such attributes, writing "BEOS:TYPE" does
	// nothing and succeeds; any other name fails.
	ssize_t WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
					  size_t writeBytes);
	// The stored type and data size; B_ENTRY_NOT_FOUND when missing.
	status_t GetAttrInfo(const char* name, attr_info* info) const;

protected:
	// Takes over fd, an open descriptor of the node at path.
	status_t _Adopt(int fd, const std::string& path);
	status_t _SetStatus(status_t status);
	int _Descriptor() const;
	const std::string& _Path() const;

private:
	friend int BPrivate::node_descriptor(const BNode* node);

	status_t _Open(const std::string& path);
	status_t _AttributeName(const char* name, std::string* xattr) const;
	ssize_t _ReadValue(const char* name, std::unique_ptr<char[]>* value) const;
	int _SetValue(const std::string& name, const void* value, size_t size);

	int fFd;
	std::string fPath; // absolute; used by the attribute calls when fFd is -1
	bool fIsLink;
	status_t fCStatus;
};

#endif // NODE_H
