#include <memory>
#include <string>

#include <PreferenceSet.h>
#include <Preferences.h>

#include "PrefsFixture.h"

TEST_F(PrefsTest, ApplicationNameWithSlashIsRefused)
{
	Preferences preferences("x-vnd/zibmo");
	EXPECT_EQ(preferences.InitCheck(), B_BAD_VALUE);
	PreferenceSet settings(preferences, "settings", true);
	EXPECT_EQ(settings.InitCheck(), B_BAD_VALUE);
}

TEST_F(PrefsTest, SetObjectsShareOneSetAndWriteOnlyOnSave)
{
	WriteFile(SetPath("settings"), Example("settings-beos"));
	Preferences preferences(kApp);
	ASSERT_EQ(preferences.InitCheck(), B_OK);
	auto reader = std::make_unique<PreferenceSet>(preferences, "settings", true);
	ASSERT_EQ(reader->InitCheck(), B_OK);
	const void* data;
	int32 size;
	type_code type;
	EXPECT_EQ(reader->GetData("never set", data, size, type), PREF_ERR_NOT_FOUND);

	{
		PreferenceSet writer(preferences, "settings", true);
		ASSERT_EQ(writer.SetData("LastFileSaved", "/new.zib", 9, B_STRING_TYPE), B_OK);
		EXPECT_EQ(writer.SetData("LastFileSaved", "/x", 0x80000000u, B_STRING_TYPE), B_BAD_VALUE);
	}
	// Destroyed without saving: the file is as it was, the reader still works.
	EXPECT_EQ(ReadFile(SetPath("settings")), Example("settings-beos"));
	ASSERT_EQ(reader->GetData("LastFileSaved", data, size, type), B_OK);
	EXPECT_STREQ(static_cast<const char*>(data), "/new.zib");

	ASSERT_EQ(reader->Save(), B_OK);
	EXPECT_NE(ReadFile(SetPath("settings")), Example("settings-beos"));
}
