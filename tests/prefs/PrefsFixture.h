#ifndef PREFS_FIXTURE_H
#define PREFS_FIXTURE_H

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include <Prefs.h>
#include <TypeConstants.h>

#include "TestDirectory.h"

// The one item of the example set files.
inline const std::string kLastFile("/home/user/friends.zib", 23);

// A temporary settings directory, and the set files inside it as bytes.
class PrefsTest : public TestDirectory {
public:
	static constexpr const char* kApp = "x-vnd.vornak-zibmo";

	std::string SetPath(const std::string& set, bool user = true) const
	{
		std::string directory = PathOf("config/_LP_") + kApp;
		return directory + (user ? "/" : "/(libprefs common)/") + set;
	}

	static std::string Example(const char* name)
	{
		return ReadFile(std::string(ZIB_TEST_DATA_DIR) + "/prefs/" + name);
	}

	// The item's bytes (and type), or "<missing>".
	static std::string Item(_PREFData* set, const char* name, type_code* _type = nullptr)
	{
		const void* data;
		int32 size;
		type_code type;
		if (PREFGetData(set, name, &data, &size, &type) != B_OK)
			return "<missing>";
		if (_type != nullptr)
			*_type = type;
		return std::string(static_cast<const char*>(data), size);
	}

	// Inits the application into fHandle and loads its "settings" set.
	_PREFData* OpenSettings(status_t expected = B_OK)
	{
		_PREFData* set = nullptr;
		EXPECT_EQ(PREFInit(kApp, &fHandle), B_OK);
		EXPECT_EQ(PREFLoadSet(fHandle, "settings", true, &set), expected);
		return set;
	}

	static void SetItem(_PREFData* set, const char* name, const std::string& value)
	{
		ASSERT_EQ(PREFSetData(set, name, value.data(), value.size(), B_RAW_TYPE), B_OK);
	}

	_PREFHandle* fHandle = nullptr;
};

#endif // PREFS_FIXTURE_H
