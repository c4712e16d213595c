#include "Message.h"

#include <cstring>
#include <new>
#include <type_traits>
#include <vector>

#include "MessageAdapter.h"
#include "MessageBody.h"
#include "MessagePrivate.h"

using BPrivate::MessageAdapter;
using BPrivate::MessageBody;
using BPrivate::MessageField;
using BPrivate::MessageHeader;

namespace {

bool
IsValidName(const char* name)
{
	return name != nullptr && strnlen(name, B_FIELD_NAME_LENGTH + 1) <= B_FIELD_NAME_LENGTH;
}

// Flattens a message to store it as an item.
status_t
FlattenItem(const BMessage* message, std::vector<char>* buffer)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	ssize_t size = message->FlattenedSize();
	if (size < 0)
		return size;
	try {
		buffer->resize(size);
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	return message->Flatten(buffer->data(), size);
}

} // namespace

BMessage::BMessage() : BMessage(0)
{
}

BMessage::BMessage(uint32 what) : what(what), fHeader(new MessageHeader), fBody(new MessageBody)
{
}

BMessage::BMessage(const BMessage& other)
	: what(other.what), fHeader(new MessageHeader(*other.fHeader)),
	  fBody(new MessageBody(*other.fBody))
{
}

BMessage::~BMessage() = default;

BMessage&
BMessage::operator=(const BMessage& other)
{
	if (this != &other) {
		what = other.what;
		*fHeader = *other.fHeader;
		*fBody = *other.fBody;
	}
	return *this;
}

status_t
BMessage::GetInfo(type_code typeRequested, int32 index, char** nameFound, type_code* typeFound,
				  int32* countFound) const
{
	if (index < 0 || index >= fBody->CountFields())
		return B_BAD_INDEX;
	int32 matches = 0;
	for (const MessageField& field : fBody->Fields()) {
		if (typeRequested != B_ANY_TYPE && field.Type() != typeRequested)
			continue;
		if (matches++ != index)
			continue;
		if (nameFound != nullptr)
			*nameFound = const_cast<char*>(field.Name().c_str());
		if (typeFound != nullptr)
			*typeFound = field.Type();
		if (countFound != nullptr)
			*countFound = field.CountItems();
		return B_OK;
	}
	return matches == 0 ? B_BAD_TYPE : B_BAD_INDEX;
}

status_t
BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound) const
{
	if (name == nullptr)
		return B_BAD_VALUE;
	const MessageField* field = fBody->FindField(name);
	if (typeFound != nullptr)
		*typeFound = field != nullptr ? field->Type() : type_code(B_ANY_TYPE);
	if (countFound != nullptr)
		*countFound = field != nullptr ? field->CountItems() : 0;
	return field != nullptr ? B_OK : B_NAME_NOT_FOUND;
}

bool
BMessage::IsEmpty() const
{
	return fBody->CountFields() == 0;
}

bool
BMessage::WasDelivered() const
{
	return fHeader->wasDelivered;
}

ssize_t
BMessage::FlattenedSize() const
{
	return MessageAdapter::FlattenedSize(what, *fHeader, *fBody);
}

status_t
BMessage::Flatten(char* buffer, ssize_t size) const
{
	return MessageAdapter::Flatten(what, *fHeader, *fBody, buffer, size);
}

status_t
BMessage::Unflatten(const char* flatBuffer)
{
	ssize_t size =
		flatBuffer != nullptr ? MessageAdapter::DeclaredSize(flatBuffer) : ssize_t(B_BAD_VALUE);
	if (size < 0) {
		*this = BMessage();
		return size;
	}
	return Unflatten(flatBuffer, size);
}

status_t
BMessage::Unflatten(const char* flatBuffer, ssize_t size)
{
	if (flatBuffer == nullptr || size < 0) {
		*this = BMessage();
		return B_BAD_VALUE;
	}
	status_t status;
	try {
		auto header = std::make_unique<MessageHeader>();
		auto body = std::make_unique<MessageBody>();
		uint32 newWhat = 0;
		status = MessageAdapter::Unflatten(flatBuffer, size, &newWhat, header.get(), body.get());
		if (status == B_OK) {
			what = newWhat;
			fHeader = std::move(header);
			fBody = std::move(body);
			return B_OK;
		}
	} catch (const std::bad_alloc&) {
		status = B_NO_MEMORY;
	}
	*this = BMessage();
	return status;
}

status_t
BMessage::AddSpecifier(const char* property)
{
	BMessage specifier(B_DIRECT_SPECIFIER);
	status_t status = specifier.AddString(B_PROPERTY_ENTRY, property);
	return status == B_OK ? AddSpecifier(&specifier) : status;
}

status_t
BMessage::AddSpecifier(const char* property, int32 index, int32 range)
{
	if (range < 0)
		return B_BAD_VALUE;
	BMessage specifier(B_RANGE_SPECIFIER);
	status_t status = specifier.AddString(B_PROPERTY_ENTRY, property);
	if (status == B_OK)
		status = specifier.AddInt32("index", index);
	if (status == B_OK)
		status = specifier.AddInt32("range", range);
	return status == B_OK ? AddSpecifier(&specifier) : status;
}

status_t
BMessage::AddSpecifier(const BMessage* specifier)
{
	status_t status = AddMessage(B_SPECIFIER_ENTRY, specifier);
	if (status != B_OK)
		return status;
	fHeader->currentSpecifier++;
	fHeader->hasSpecifiers = true;
	return B_OK;
}

status_t
BMessage::GetCurrentSpecifier(int32* index, BMessage* specifier, int32* what,
							  const char** property) const
{
	if (index != nullptr)
		*index = fHeader->currentSpecifier;
	if (fHeader->currentSpecifier < 0 || !fHeader->wasDelivered)
		return B_BAD_SCRIPT_SYNTAX;
	if (specifier == nullptr) {
		// As on the platform, what and property come only with a specifier;
		// never leave them unset.
		if (what != nullptr)
			*what = B_NO_SPECIFIER;
		if (property != nullptr)
			*property = nullptr;
		return B_OK;
	}
	if (FindMessage(B_SPECIFIER_ENTRY, fHeader->currentSpecifier, specifier) != B_OK)
		return B_BAD_SCRIPT_SYNTAX;
	if (what != nullptr)
		*what = specifier->what;
	if (property != nullptr && specifier->FindString(B_PROPERTY_ENTRY, property) != B_OK)
		return B_BAD_SCRIPT_SYNTAX;
	return B_OK;
}

bool
BMessage::HasSpecifiers() const
{
	return fHeader->hasSpecifiers;
}

status_t
BMessage::PopSpecifier()
{
	if (fHeader->currentSpecifier < 0 || !fHeader->wasDelivered)
		return B_BAD_VALUE;
	fHeader->currentSpecifier--;
	return B_OK;
}

status_t
BMessage::AddData(const char* name, type_code type, const void* data, ssize_t numBytes,
				  bool isFixedSize, int32 count)
{
	if (!IsValidName(name) || data == nullptr || numBytes <= 0)
		return B_BAD_VALUE;
	MessageField* field = fBody->FindField(name);
	if (field != nullptr && field->Type() != type)
		return B_BAD_TYPE;
	try {
		bool created = field == nullptr;
		if (created) {
			field = &fBody->AddField(name, type, isFixedSize);
			field->Reserve(count, numBytes);
		}
		status_t status = field->AddItem(data, numBytes);
		if (status != B_OK && created)
			fBody->RemoveField(field);
		return status;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

status_t
BMessage::AddString(const char* name, const char* string)
{
	if (string == nullptr)
		return B_BAD_VALUE;
	return AddData(name, B_STRING_TYPE, string, strlen(string) + 1, false);
}

status_t
BMessage::AddMessage(const char* name, const BMessage* message)
{
	std::vector<char> buffer;
	status_t status = FlattenItem(message, &buffer);
	if (status != B_OK)
		return status;
	return AddData(name, B_MESSAGE_TYPE, buffer.data(), buffer.size(), false);
}

status_t
BMessage::RemoveName(const char* name)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	MessageField* field = fBody->FindField(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	fBody->RemoveField(field);
	return B_OK;
}

status_t
BMessage::MakeEmpty()
{
	// The reply address stays; the specifiers go with the fields.
	fBody->MakeEmpty();
	fHeader->hasSpecifiers = false;
	fHeader->currentSpecifier = -1;
	return B_OK;
}

status_t
BMessage::FindData(const char* name, type_code type, const void** data, ssize_t* numBytes) const
{
	return FindData(name, type, 0, data, numBytes);
}

status_t
BMessage::FindData(const char* name, type_code type, int32 index, const void** data,
				   ssize_t* numBytes) const
{
	if (name == nullptr || data == nullptr)
		return B_BAD_VALUE;
	*data = nullptr;
	const MessageField* field = fBody->FindField(name);
	if (field == nullptr)
		return B_NAME_NOT_FOUND;
	if (type != B_ANY_TYPE && field->Type() != type)
		return B_BAD_TYPE;
	if (index < 0 || index >= field->CountItems())
		return B_BAD_INDEX;
	size_t size;
	*data = field->ItemAt(index, &size);
	if (numBytes != nullptr)
		*numBytes = size;
	return B_OK;
}

template <typename T>
status_t
BMessage::_FindValue(const char* name, type_code type, int32 index, T* value) const
{
	if (value == nullptr)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, type, index, &data, &size);
	if (status != B_OK)
		return status;
	if (size != sizeof(T))
		return B_BAD_DATA;
	if constexpr (std::is_same_v<T, bool>)
		*value = *static_cast<const uint8*>(data) != 0;
	else
		memcpy(value, data, sizeof(T));
	return B_OK;
}

template <typename T>
T
BMessage::_GetValue(const char* name, type_code type, int32 index, T defaultValue) const
{
	T value;
	return _FindValue(name, type, index, &value) == B_OK ? value : defaultValue;
}

status_t
BMessage::FindString(const char* name, const char** string) const
{
	return FindString(name, 0, string);
}

status_t
BMessage::FindString(const char* name, int32 index, const char** string) const
{
	if (string == nullptr)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_STRING_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	// Strings from flattened data need not end in a NUL.
	if (size == 0 || static_cast<const char*>(data)[size - 1] != '\0')
		return B_BAD_DATA;
	*string = static_cast<const char*>(data);
	return B_OK;
}

status_t
BMessage::FindMessage(const char* name, BMessage* message) const
{
	return FindMessage(name, 0, message);
}

status_t
BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_MESSAGE_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	return message->Unflatten(static_cast<const char*>(data), size);
}

int32
BMessage::FindInt32(const char* name, int32 index) const
{
	return _GetValue<int32>(name, B_INT32_TYPE, index, 0);
}

// The fixed-size families share one set of forms.
#define DEFINE_VALUE_ACCESSORS(Name, T, typeCode)                                                  \
	status_t BMessage::Add##Name(const char* name, T value)                                        \
	{                                                                                              \
		return AddData(name, typeCode, &value, sizeof(value));                                     \
	}                                                                                              \
	status_t BMessage::Find##Name(const char* name, T* value) const                                \
	{                                                                                              \
		return _FindValue(name, typeCode, 0, value);                                               \
	}                                                                                              \
	status_t BMessage::Find##Name(const char* name, int32 index, T* value) const                   \
	{                                                                                              \
		return _FindValue(name, typeCode, index, value);                                           \
	}                                                                                              \
	T BMessage::Get##Name(const char* name, T defaultValue) const                                  \
	{                                                                                              \
		return _GetValue(name, typeCode, 0, defaultValue);                                         \
	}                                                                                              \
	T BMessage::Get##Name(const char* name, int32 index, T defaultValue) const                     \
	{                                                                                              \
		return _GetValue(name, typeCode, index, defaultValue);                                     \
	}

DEFINE_VALUE_ACCESSORS(Int8, int8, B_INT8_TYPE)
DEFINE_VALUE_ACCESSORS(Int32, int32, B_INT32_TYPE)
DEFINE_VALUE_ACCESSORS(Int64, int64, B_INT64_TYPE)
DEFINE_VALUE_ACCESSORS(Bool, bool, B_BOOL_TYPE) // one byte, 0 or 1
DEFINE_VALUE_ACCESSORS(Float, float, B_FLOAT_TYPE)

status_t
BMessage::AddPointer(const char* name, const void* pointer)
{
	return AddData(name, B_POINTER_TYPE, &pointer, sizeof(pointer));
}

status_t
BMessage::FindPointer(const char* name, void** pointer) const
{
	return _FindValue(name, B_POINTER_TYPE, 0, pointer);
}

status_t
BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
	return _FindValue(name, B_POINTER_TYPE, index, pointer);
}
