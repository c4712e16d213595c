// Loads each input as a set file, reads, changes and saves the set, and loads
// the saved file again, which must hold the changed item. The store prints a
// debug line per item read or set: fuzz with stdout redirected to /dev/null.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include <Prefs.h>
#include <TypeConstants.h>

static const char* kApp = "fuzz";
static const char* kItem = "LastFileSaved";
static const char kValue[] = "/home/user/fuzz.zib";

static std::string sDirectory;

static void
remove_directory()
{
	std::error_code ignored;
	std::filesystem::remove_all(sDirectory, ignored);
}

// The set file, in a settings directory of its own.
static std::string
set_path()
{
	std::string pattern = std::filesystem::temp_directory_path() / "prefsfuzz.XXXXXX";
	if (mkdtemp(pattern.data()) == nullptr)
		abort();
	sDirectory = pattern;
	atexit(remove_directory);
	setenv("XDG_CONFIG_HOME", sDirectory.c_str(), 1);
	std::filesystem::create_directories(sDirectory + "/_LP_" + kApp);
	return sDirectory + "/_LP_" + kApp + "/set";
}

static bool
holds_value(_PREFData* set)
{
	const void* data;
	int32 size;
	type_code type;
	return PREFGetData(set, kItem, &data, &size, &type) == B_OK && type == B_STRING_TYPE &&
		   size == sizeof(kValue) && memcmp(data, kValue, size) == 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
	static const std::string path = set_path();
	int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
	if (fd < 0 || write(fd, bytes, size) != static_cast<ssize_t>(size))
		abort();
	close(fd);

	_PREFHandle* handle;
	_PREFData* set;
	if (PREFInit(kApp, &handle) != B_OK)
		abort();
	if (PREFLoadSet(handle, "set", true, &set) == B_OK) {
		const void* data;
		int32 itemSize;
		type_code type;
		PREFGetData(set, kItem, &data, &itemSize, &type);
		if (PREFSetData(set, kItem, kValue, sizeof(kValue), B_STRING_TYPE) != B_OK ||
			PREFSaveSet(set) != B_OK || PREFDisposeSet(&set) != B_OK || set != nullptr)
			abort();
		if (PREFLoadSet(handle, "set", true, &set) != B_OK || !holds_value(set))
			abort();
	}
	if (PREFShutdown(handle) != B_OK)
		abort();
	return 0;
}
