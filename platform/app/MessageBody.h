#ifndef MESSAGE_BODY_H
#define MESSAGE_BODY_H

#include "MessageField.h"

#include <string_view>
#include <vector>

namespace BPrivate {

// The fields of a message in the order they were added. A lookup by name
// compares precomputed hashes first, so a scan of a few hundred fields costs
// little more than the scan itself.
class MessageBody {
public:
	MessageField* FindField(std::string_view name);
	const MessageField* FindField(std::string_view name) const;

	// Appends an empty field; the caller adds its items.
	MessageField& AddField(std::string_view name, type_code type, bool fixedSize);
	void RemoveField(const MessageField* field);
	void MakeEmpty() { fFields.clear(); }

	int32 CountFields() const { return static_cast<int32>(fFields.size()); }
	const std::vector<MessageField>& Fields() const { return fFields; }

private:
	std::vector<MessageField> fFields;
};

} // namespace BPrivate

#endif // MESSAGE_BODY_H
