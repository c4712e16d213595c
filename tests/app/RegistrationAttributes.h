#ifndef REGISTRATION_ATTRIBUTES_H
#define REGISTRATION_ATTRIBUTES_H

#include <map>
#include <optional>
#include <string>
#include <utility>

#include <Node.h>
#include <TypeConstants.h>
#include <fs_attr.h>

// The Word Services registration attributes of a node as (type, bytes),
// absent when missing.
using Attribute = std::pair<type_code, std::string>;
using Attributes = std::map<std::string, std::optional<Attribute>>;

// A little-endian int32.
inline std::string
int32_bytes(uint8 value)
{
	return std::string{char(value), 0, 0, 0};
}

// What a start writes on a node that has none.
inline const Attribute kServer{B_INT32_TYPE, int32_bytes(1)};
inline const Attribute kCount{B_INT32_TYPE, int32_bytes(2)};
inline const Attribute kEmail{B_STRING_TYPE, std::string("Look Up E-Mail Address", 23)};
inline const Attribute kPostal{B_STRING_TYPE, std::string("Look Up Postal Address", 23)};
inline const Attributes kRegistered{{"WordServicesServer", kServer},
									{"Menu String Count", kCount},
									{"Menu String 0", kEmail},
									{"Menu String 1", kPostal}};
// Values no start writes: a start that keeps them wrote nothing there.
inline const Attribute kOddServer{B_INT32_TYPE, int32_bytes(7)};
inline const Attribute kOddString{B_STRING_TYPE, std::string("x", 2)};

inline Attributes
read_attributes(const BNode& node)
{
	Attributes attributes;
	for (const auto& [name, value] : kRegistered) {
		attr_info info;
		attributes[name] = std::nullopt;
		std::string data;
		if (node.GetAttrInfo(name.c_str(), &info) == B_OK) {
			data.resize(info.size);
			if (node.ReadAttr(name.c_str(), info.type, 0, data.data(), data.size()) == info.size)
				attributes[name] = Attribute(info.type, data);
		}
	}
	return attributes;
}

// Writes the attributes present; false when one cannot be written.
inline bool
write_attributes(BNode* node, const Attributes& attributes)
{
	bool written = true;
	for (const auto& [name, value] : attributes) {
		if (value.has_value())
			written &= node->WriteAttr(name.c_str(), value->first, 0, value->second.data(),
									   value->second.size()) >= 0;
	}
	return written;
}

#endif // REGISTRATION_ATTRIBUTES_H
