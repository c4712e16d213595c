#include "Node.h"

#include <fcntl.h>
#include <linux/limits.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

#include <ErrnoStatus.h>

#include "Entry.h"
#include "Path.h"

namespace {

const char kTypeAttribute[] = "BEOS:TYPE";
const char kMimeTypeXattr[] = "user.mime_type";
const char kXattrPrefix[] = "user.haiku.";
const off_t kMaxAttributeSize = 40960;

// Linux reports a missing attribute as ENODATA, the platform as a missing entry.
status_t
attribute_status(int error)
{
	return error == ENODATA ? B_ENTRY_NOT_FOUND : BPrivate::status_for_errno(error);
}

// The extended attribute that holds the attribute name.
status_t
xattr_name(const char* name, std::string* xattr)
{
	if (name == nullptr || name[0] == '\0')
		return B_BAD_VALUE;
	if (strlen(name) >= B_ATTR_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	*xattr = kXattrPrefix;
	for (const char* c = name; *c != '\0'; c++) {
		if (*c == '/')
			*xattr += "%\\";
		else if (*c == '%')
			*xattr += "%%";
		else
			*xattr += *c;
	}
	return xattr->size() > XATTR_NAME_MAX ? B_NAME_TOO_LONG : B_OK;
}

} // namespace

int
BPrivate::node_descriptor(const BNode* node)
{
	return node->fFd;
}

BNode::BNode() : fFd(-1), fIsLink(false), fCStatus(B_NO_INIT)
{
}

BNode::BNode(const entry_ref* ref) : BNode()
{
	SetTo(ref);
}

BNode::BNode(const BEntry* entry) : BNode()
{
	SetTo(entry);
}

BNode::BNode(const char* path) : BNode()
{
	SetTo(path);
}

BNode::~BNode()
{
	BNode::Unset();
}

status_t
BNode::InitCheck() const
{
	return fCStatus;
}

status_t
BNode::SetTo(const entry_ref* ref)
{
	BEntry entry(ref);
	return SetTo(&entry);
}

status_t
BNode::SetTo(const BEntry* entry)
{
	if (entry == nullptr) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	BPath path;
	status_t status = entry->GetPath(&path);
	if (status != B_OK) {
		Unset();
		return fCStatus = status;
	}
	return _Open(path.Path());
}

status_t
BNode::SetTo(const char* path)
{
	BEntry entry(path);
	return SetTo(&entry);
}

void
BNode::Unset()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
	fPath.clear();
	fIsLink = false;
	fCStatus = B_NO_INIT;
}

status_t
BNode::Sync()
{
	if (fCStatus != B_OK)
		return B_NO_INIT;
	if (fFd < 0)
		return B_UNSUPPORTED;
	return fsync(fFd) == 0 ? B_OK : BPrivate::status_for_errno(errno);
}

ssize_t
BNode::ReadAttr(const char* name, type_code, off_t offset, void* buffer, size_t readBytes) const
{
	if (buffer == nullptr || offset < 0)
		return B_BAD_VALUE;
	std::unique_ptr<char[]> value;
	ssize_t size = _ReadValue(name, &value);
	if (size < 0)
		return size;
	off_t dataSize = size - sizeof(type_code);
	if (offset >= dataSize)
		return 0;
	size_t length = std::min<off_t>(readBytes, dataSize - offset);
	memcpy(buffer, value.get() + sizeof(type_code) + offset, length);
	return length;
}

ssize_t
BNode::WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
				 size_t writeBytes)
{
	std::string xattr;
	status_t status = _AttributeName(name, &xattr);
	if (status != B_OK)
		return status;
	if ((buffer == nullptr && writeBytes > 0) || offset < 0 || offset > kMaxAttributeSize ||
		writeBytes > static_cast<size_t>(kMaxAttributeSize - offset))
		return B_BAD_VALUE;

	std::string value(sizeof(type_code) + offset + writeBytes, '\0');
	memcpy(value.data(), &type, sizeof(type_code));
	if (writeBytes > 0)
		memcpy(value.data() + sizeof(type_code) + offset, buffer, writeBytes);
	bool isType = strcmp(name, kTypeAttribute) == 0;
	if (_SetValue(xattr, value.data(), value.size()) != 0) {
		// A link holds no user attributes on Linux; the platform's tools let
		// a type written there succeed, since a link has the type of a link.
		if (fIsLink && isType)
			return writeBytes;
		return attribute_status(errno);
	}
	if (isType) {
		const char* text = value.data() + sizeof(type_code);
		if (_SetValue(kMimeTypeXattr, text, strnlen(text, offset + writeBytes)) != 0)
			return attribute_status(errno);
	}
	return writeBytes;
}

status_t
BNode::GetAttrInfo(const char* name, attr_info* info) const
{
	if (info == nullptr)
		return B_BAD_VALUE;
	std::unique_ptr<char[]> value;
	ssize_t size = _ReadValue(name, &value);
	if (size < 0)
		return size;
	memcpy(&info->type, value.get(), sizeof(type_code));
	info->size = size - sizeof(type_code);
	return B_OK;
}

status_t
BNode::_Adopt(int fd, const std::string& path)
{
	fFd = fd;
	fPath = path;
	return fCStatus = B_OK;
}

status_t
BNode::_SetStatus(status_t status)
{
	return fCStatus = status;
}

int
BNode::_Descriptor() const
{
	return fFd;
}

const std::string&
BNode::_Path() const
{
	return fPath;
}

// Opens the node at path for its attributes. A link, or a node this user may
// not read, is kept by its path alone.
status_t
BNode::_Open(const std::string& path)
{
	Unset();
	struct stat info;
	if (lstat(path.c_str(), &info) != 0)
		return fCStatus = BPrivate::status_for_errno(errno);
	int fd = -1;
	if (!S_ISLNK(info.st_mode)) {
		fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
		if (fd < 0 && errno != EACCES && errno != EPERM)
			return fCStatus = BPrivate::status_for_errno(errno);
	}
	fIsLink = S_ISLNK(info.st_mode);
	return _Adopt(fd, path);
}

// The extended attribute of name, on a node that is set.
status_t
BNode::_AttributeName(const char* name, std::string* xattr) const
{
	return fCStatus != B_OK ? B_NO_INIT : xattr_name(name, xattr);
}

// The whole stored value, type code and data; its size or an error status.
ssize_t
BNode::_ReadValue(const char* name, std::unique_ptr<char[]>* value) const
{
	std::string xattr;
	status_t status = _AttributeName(name, &xattr);
	if (status != B_OK)
		return status;
	value->reset(new (std::nothrow) char[XATTR_SIZE_MAX]);
	if (*value == nullptr)
		return B_NO_MEMORY;
	ssize_t size = fFd >= 0 ? fgetxattr(fFd, xattr.c_str(), value->get(), XATTR_SIZE_MAX)
							: lgetxattr(fPath.c_str(), xattr.c_str(), value->get(), XATTR_SIZE_MAX);
	if (size < 0)
		return attribute_status(errno);
	if (size < static_cast<ssize_t>(sizeof(type_code)))
		return B_BAD_DATA;
	return size;
}

int
BNode::_SetValue(const std::string& name, const void* value, size_t size)
{
	return fFd >= 0 ? fsetxattr(fFd, name.c_str(), value, size, 0)
					: lsetxattr(fPath.c_str(), name.c_str(), value, size, 0);
}
