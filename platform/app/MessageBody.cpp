#include "MessageBody.h"

#include <utility>

namespace BPrivate {

MessageField*
MessageBody::FindField(std::string_view name)
{
	return const_cast<MessageField*>(std::as_const(*this).FindField(name));
}

const MessageField*
MessageBody::FindField(std::string_view name) const
{
	uint32 hash = MessageField::HashName(name);
	for (const MessageField& field : fFields) {
		if (field.Hash() == hash && field.Name() == name)
			return &field;
	}
	return nullptr;
}

MessageField&
MessageBody::AddField(std::string_view name, type_code type, bool fixedSize)
{
	return fFields.emplace_back(name, type, fixedSize);
}

void
MessageBody::RemoveField(const MessageField* field)
{
	fFields.erase(fFields.begin() + (field - fFields.data()));
}

} // namespace BPrivate
