#include "HandlerTokens.h"

#include <mutex>
#include <unordered_map>

#include "Handler.h"

namespace {

struct TokenTable {
	std::mutex lock;
	std::unordered_map<int32, BHandler*> handlers; // guarded by lock
	int32 next = 1;                                // guarded by lock
};

// Never destroyed: looper threads may still run while statics are torn down.
TokenTable&
table()
{
	static TokenTable& sTable = *new TokenTable;
	return sTable;
}

} // namespace

namespace BPrivate {

int32
new_handler_token(BHandler* handler)
{
	TokenTable& tokens = table();
	std::lock_guard<std::mutex> lock(tokens.lock);
	int32 token = tokens.next++;
	tokens.handlers.emplace(token, handler);
	return token;
}

void
remove_handler_token(int32 token)
{
	TokenTable& tokens = table();
	std::lock_guard<std::mutex> lock(tokens.lock);
	tokens.handlers.erase(token);
}

bool
handler_token_exists(int32 token)
{
	TokenTable& tokens = table();
	std::lock_guard<std::mutex> lock(tokens.lock);
	return tokens.handlers.count(token) != 0;
}

BHandler*
handler_for_token(int32 token, const BLooper* looper)
{
	TokenTable& tokens = table();
	std::lock_guard<std::mutex> lock(tokens.lock);
	auto found = tokens.handlers.find(token);
	if (found == tokens.handlers.end() || found->second->Looper() != looper)
		return nullptr;
	return found->second;
}

} // namespace BPrivate
