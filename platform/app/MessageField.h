#ifndef MESSAGE_FIELD_H
#define MESSAGE_FIELD_H

#include <SupportDefs.h>

#include <string>
#include <string_view>
#include <vector>

namespace BPrivate {

// One named field of a message: a type and one or more items, stored back
// to back in one buffer. In a fixed-size field all items have one size.
// Item pointers stay valid until this field changes.
class MessageField {
public:
	MessageField(std::string_view name, type_code type, bool fixedSize);

	const std::string& Name() const { return fName; }
	uint32 Hash() const { return fHash; }
	type_code Type() const { return fType; }
	bool IsFixedSize() const { return fFixedSize; }
	int32 CountItems() const { return static_cast<int32>(fEnds.size()); }
	size_t DataSize() const { return fData.size(); }

	// The bytes of item index (0 <= index < CountItems()).
	const char* ItemAt(int32 index, size_t* size) const;

	// B_BAD_VALUE for a size that does not fit the field (see AcceptsSize).
	status_t AddItem(const void* data, size_t size);
	void Reserve(int32 count, size_t itemSize);

	// Whether an item of size bytes may join this field: the size its type
	// requires, and in a fixed-size field the size of the items already there.
	bool AcceptsSize(size_t size) const;

	static uint32 HashName(std::string_view name);
	// The item size a type always has, or 0 for types without one.
	static size_t SizeOfType(type_code type);

private:
	size_t _Start(int32 index) const { return index == 0 ? 0 : fEnds[index - 1]; }

	std::string fName;
	uint32 fHash;
	type_code fType;
	bool fFixedSize;
	std::vector<char> fData;
	std::vector<uint32> fEnds; // end offset of each item in fData
};

} // namespace BPrivate

#endif // MESSAGE_FIELD_H
