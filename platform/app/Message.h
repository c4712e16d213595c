#ifndef MESSAGE_H
#define MESSAGE_H

#include <OS.h>
#include <SupportDefs.h>
#include <TypeConstants.h>

#include <memory>

class BHandler;
class BMessenger;
struct entry_ref;

namespace BPrivate {
class MessagePrivate;
class MessageBody;
struct MessageHeader;
} // namespace BPrivate

#define B_FIELD_NAME_LENGTH 255
#define B_PROPERTY_NAME_LENGTH 255

// Specifier forms: the `what` of a specifier message.
enum {
	B_NO_SPECIFIER = 0,
	B_DIRECT_SPECIFIER = 1,
	B_INDEX_SPECIFIER,
	B_REVERSE_INDEX_SPECIFIER,
	B_RANGE_SPECIFIER,
	B_REVERSE_RANGE_SPECIFIER,
	B_NAME_SPECIFIER,
	B_ID_SPECIFIER,

	B_SPECIFIERS_END = 128
	// application-defined forms start above B_SPECIFIERS_END
};

inline constexpr char B_SPECIFIER_ENTRY[] = "specifiers";
inline constexpr char B_PROPERTY_ENTRY[] = "property";

// A set of named, typed fields, each holding one or more items, plus the
// delivery state (target, reply address, specifiers) the looper kit uses.
//
// Fields keep the order in which they were added. Data pointers handed out
// by FindData() and FindString() point into the message and stay valid until
// that field is changed or removed, or the message is emptied, assigned to,
// unflattened into or destroyed; names from GetInfo() only until the message
// next changes.
//
// Not thread-safe: a message belongs to one thread at a time.
//
// Errors: B_BAD_VALUE for null or over-long names and bad sizes,
// B_NAME_NOT_FOUND for a missing field, B_BAD_TYPE when the field holds
// another type, B_BAD_INDEX for an item index out of range, B_BAD_DATA when
// stored bytes do not fit the requested type.
class BMessage {
public:
	BMessage();
	BMessage(uint32 what);
	BMessage(const BMessage& other);
	virtual ~BMessage();

	BMessage& operator=(const BMessage& other);

	// Fields
	status_t GetInfo(type_code typeRequested, int32 index, char** nameFound, type_code* typeFound,
					 int32* countFound = nullptr) const;
	status_t GetInfo(const char* name, type_code* typeFound, int32* countFound = nullptr) const;
	bool IsEmpty() const;

	// Delivery state
	bool WasDelivered() const;
	bool IsSourceWaiting() const;
	bool IsSourceRemote() const;
	BMessenger ReturnAddress() const;

	status_t SendReply(uint32 command, BHandler* replyTo = nullptr);
	status_t SendReply(BMessage* reply, BHandler* replyTo = nullptr,
					   bigtime_t timeout = B_INFINITE_TIMEOUT);
	status_t SendReply(BMessage* reply, BMessenger replyTo, bigtime_t timeout = B_INFINITE_TIMEOUT);
	status_t SendReply(BMessage* reply, BMessage* replyToReply,
					   bigtime_t sendTimeout = B_INFINITE_TIMEOUT,
					   bigtime_t replyTimeout = B_INFINITE_TIMEOUT);

	// Flattening. Flatten() writes the BeOS R5 format; B_BAD_VALUE when buffer
	// is null or smaller than FlattenedSize().
	ssize_t FlattenedSize() const;
	status_t Flatten(char* buffer, ssize_t size) const;
	// Reads BeOS R5 (either byte order) or Haiku's native format. This form
	// trusts the size stored in the buffer's header and reads that many bytes:
	// use it only on buffers known to hold a whole message. Untrusted bytes go
	// through the sized form, which never reads past size.
	// On failure (B_NOT_A_MESSAGE, B_BAD_DATA, B_BAD_VALUE) the message is empty.
	status_t Unflatten(const char* flatBuffer);
	status_t Unflatten(const char* flatBuffer, ssize_t size);

	// Scripting specifiers: a stack in the field B_SPECIFIER_ENTRY; the one
	// added last is the current one.
	status_t AddSpecifier(const char* property);
	status_t AddSpecifier(const char* property, int32 index, int32 range);
	status_t AddSpecifier(const BMessage* specifier);
	// B_BAD_SCRIPT_SYNTAX when there is no current specifier or the message
	// was never delivered. property points into *specifier.
	status_t GetCurrentSpecifier(int32* index, BMessage* specifier = nullptr, int32* what = nullptr,
								 const char** property = nullptr) const;
	bool HasSpecifiers() const;
	status_t PopSpecifier();

	// Adding. AddData() with isFixedSize: every item of the field has the
	// same size (B_BAD_VALUE otherwise); count is a hint for the final item
	// count. numBytes must be positive.
	status_t AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
					 bool isFixedSize = true, int32 count = 1);
	status_t AddString(const char* name, const char* string);
	status_t AddInt8(const char* name, int8 value);
	status_t AddInt32(const char* name, int32 value);
	status_t AddInt64(const char* name, int64 value);
	status_t AddBool(const char* name, bool value);
	status_t AddFloat(const char* name, float value);
	status_t AddPointer(const char* name, const void* pointer);
	status_t AddMessage(const char* name, const BMessage* message);
	status_t AddMessenger(const char* name, BMessenger messenger);
	status_t AddRef(const char* name, const entry_ref* ref);

	// Removing
	status_t RemoveName(const char* name);
	status_t MakeEmpty();

	// Finding. B_ANY_TYPE matches any type in FindData().
	status_t FindData(const char* name, type_code type, const void** data, ssize_t* numBytes) const;
	status_t FindData(const char* name, type_code type, int32 index, const void** data,
					  ssize_t* numBytes) const;
	status_t FindString(const char* name, const char** string) const;
	status_t FindString(const char* name, int32 index, const char** string) const;
	status_t FindInt8(const char* name, int8* value) const;
	status_t FindInt8(const char* name, int32 index, int8* value) const;
	status_t FindInt32(const char* name, int32* value) const;
	status_t FindInt32(const char* name, int32 index, int32* value) const;
	status_t FindInt64(const char* name, int64* value) const;
	status_t FindInt64(const char* name, int32 index, int64* value) const;
	status_t FindBool(const char* name, bool* value) const;
	status_t FindBool(const char* name, int32 index, bool* value) const;
	status_t FindFloat(const char* name, float* value) const;
	status_t FindFloat(const char* name, int32 index, float* value) const;
	status_t FindPointer(const char* name, void** pointer) const;
	status_t FindPointer(const char* name, int32 index, void** pointer) const;
	status_t FindMessage(const char* name, BMessage* message) const;
	status_t FindMessage(const char* name, int32 index, BMessage* message) const;
	status_t FindMessenger(const char* name, BMessenger* messenger) const;
	status_t FindMessenger(const char* name, int32 index, BMessenger* messenger) const;
	status_t FindRef(const char* name, entry_ref* ref) const;
	status_t FindRef(const char* name, int32 index, entry_ref* ref) const;
	// The older value-returning form: 0 when the item is missing.
	int32 FindInt32(const char* name, int32 index = 0) const;

	// Convenience getters: the item, or defaultValue when it is missing or
	// of another type.
	int8 GetInt8(const char* name, int8 defaultValue) const;
	int8 GetInt8(const char* name, int32 index, int8 defaultValue) const;
	int32 GetInt32(const char* name, int32 defaultValue) const;
	int32 GetInt32(const char* name, int32 index, int32 defaultValue) const;
	int64 GetInt64(const char* name, int64 defaultValue) const;
	int64 GetInt64(const char* name, int32 index, int64 defaultValue) const;
	bool GetBool(const char* name, bool defaultValue = false) const;
	bool GetBool(const char* name, int32 index, bool defaultValue) const;
	float GetFloat(const char* name, float defaultValue) const;
	float GetFloat(const char* name, int32 index, float defaultValue) const;

	uint32 what;

private:
	friend class BPrivate::MessagePrivate;

	template <typename T>
	status_t _FindValue(const char* name, type_code type, int32 index, T* value) const;
	template <typename T>
	T _GetValue(const char* name, type_code type, int32 index, T defaultValue) const;

	std::unique_ptr<BPrivate::MessageHeader> fHeader;
	std::unique_ptr<BPrivate::MessageBody> fBody;
};

#endif // MESSAGE_H
