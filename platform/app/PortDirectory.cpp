#include "PortDirectory.h"

#include <dirent.h>
#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>
#include <tuple>

#include <ErrnoStatus.h>

namespace {

const char kDirectoryName[] = "larimo-ports";
const char kTeamSeparator = '@';

std::string
encode_signature(const char* signature)
{
	static const char kHex[] = "0123456789ABCDEF";
	std::string encoded;
	for (const char* c = signature; *c != '\0'; c++) {
		unsigned char byte = static_cast<unsigned char>(*c);
		if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')
			|| (byte >= '0' && byte <= '9') || byte == '.' || byte == '_' || byte == '-') {
			encoded.push_back(char(byte));
		} else {
			encoded.push_back('%');
			encoded.push_back(kHex[byte >> 4]);
			encoded.push_back(kHex[byte & 0xf]);
		}
	}
	return encoded;
}

// The team of a socket name, or -1 when the name is not one of ours.
team_id
team_of(const char* name, std::string* encodedSignature = nullptr)
{
	const char* separator = strrchr(name, kTeamSeparator);
	if (separator == nullptr || separator[1] == '\0')
		return -1;
	team_id team = -1;
	const char* end = name + strlen(name);
	auto [rest, error] = std::from_chars(separator + 1, end, team);
	if (error != std::errc() || rest != end || team <= 0)
		return -1;
	if (encodedSignature != nullptr)
		encodedSignature->assign(name, separator);
	return team;
}

status_t
check_directory(const std::string& path)
{
	struct stat info;
	if (lstat(path.c_str(), &info) != 0)
		return BPrivate::status_for_errno(errno);
	if (!S_ISDIR(info.st_mode) || info.st_uid != getuid() || (info.st_mode & 077) != 0)
		return B_PERMISSION_DENIED;
	return B_OK;
}

} // namespace

namespace BPrivate {

status_t
PortDirectory::Path(std::string* path)
{
	try {
		const char* runtime = getenv("XDG_RUNTIME_DIR");
		if (runtime != nullptr && runtime[0] != '\0')
			*path = std::string(runtime) + "/" + kDirectoryName;
		else
			*path = std::string("/tmp/") + kDirectoryName + "-" + std::to_string(getuid());
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	if (mkdir(path->c_str(), 0700) != 0 && errno != EEXIST)
		return status_for_errno(errno);
	return check_directory(*path);
}

status_t
PortDirectory::SocketPath(const char* signature, team_id team, std::string* path)
{
	if (signature == nullptr || signature[0] == '\0')
		return B_BAD_VALUE;
	status_t status = Path(path);
	if (status != B_OK)
		return status;
	try {
		*path += "/" + encode_signature(signature) + kTeamSeparator + std::to_string(team);
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	sockaddr_un address;
	size_t length;
	return MakeAddress(*path, &address, &length) ? B_OK : B_NAME_TOO_LONG;
}

// The port directory and the names in it.
static status_t
list_directory(std::string* directory, std::vector<std::string>* names)
{
	status_t status = PortDirectory::Path(directory);
	if (status != B_OK)
		return status;
	DIR* entries = opendir(directory->c_str());
	if (entries == nullptr)
		return status_for_errno(errno);
	while (dirent* entry = readdir(entries))
		names->emplace_back(entry->d_name);
	closedir(entries);
	return B_OK;
}

status_t
PortDirectory::FindSocket(team_id team, std::string* path)
{
	std::string directory;
	std::vector<std::string> names;
	status_t status = list_directory(&directory, &names);
	if (status != B_OK)
		return status;
	for (const std::string& name : names) {
		if (team_of(name.c_str()) == team) {
			*path = directory + "/" + name;
			return B_OK;
		}
	}
	return B_BAD_PORT_ID;
}

status_t
PortDirectory::FindTeams(const char* signature, std::vector<team_id>* teams)
{
	if (signature == nullptr)
		return B_BAD_VALUE;
	std::string directory;
	std::vector<std::string> names;
	status_t status = list_directory(&directory, &names);
	if (status != B_OK)
		return status;
	std::vector<std::pair<timespec, team_id>> found;
	const std::string wanted = encode_signature(signature);
	for (const std::string& name : names) {
		std::string encoded;
		team_id team = team_of(name.c_str(), &encoded);
		if (team < 0 || encoded != wanted)
			continue;
		std::string path = directory + "/" + name;
		// Left by a process that is gone.
		if (kill(team, 0) != 0 && errno == ESRCH) {
			unlink(path.c_str());
			continue;
		}
		struct stat info;
		if (lstat(path.c_str(), &info) != 0)
			continue;
		found.emplace_back(info.st_mtim, team);
	}
	std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
		return std::tie(a.first.tv_sec, a.first.tv_nsec, a.second)
			< std::tie(b.first.tv_sec, b.first.tv_nsec, b.second);
	});
	teams->clear();
	for (const auto& [time, team] : found)
		teams->push_back(team);
	return B_OK;
}

bool
PortDirectory::RemoveIfStale(const std::string& socketPath)
{
	sockaddr_un address;
	size_t length;
	if (!MakeAddress(socketPath, &address, &length))
		return false;
	int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (probe < 0)
		return false;
	bool stale = connect(probe, reinterpret_cast<sockaddr*>(&address), length) != 0
		&& errno == ECONNREFUSED;
	close(probe);
	// Another process may remove it at the same time; either way it is gone.
	if (stale)
		unlink(socketPath.c_str());
	return stale;
}

bool
PortDirectory::MakeAddress(const std::string& path, void* address, size_t* length)
{
	sockaddr_un* unixAddress = static_cast<sockaddr_un*>(address);
	if (path.size() >= sizeof(unixAddress->sun_path))
		return false;
	memset(unixAddress, 0, sizeof(*unixAddress));
	unixAddress->sun_family = AF_UNIX;
	memcpy(unixAddress->sun_path, path.c_str(), path.size() + 1);
	*length = offsetof(sockaddr_un, sun_path) + path.size() + 1;
	return true;
}

} // namespace BPrivate
