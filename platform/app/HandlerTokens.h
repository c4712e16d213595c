#ifndef HANDLER_TOKENS_H
#define HANDLER_TOKENS_H

#include <SupportDefs.h>

class BHandler;
class BLooper;

namespace BPrivate {

// The process-wide table of handler tokens, the numbers messengers and
// message headers use to name a handler. Tokens are positive and never
// reused. All functions are thread-safe.

// Registers handler under a new token and answers it.
int32 new_handler_token(BHandler* handler);
void remove_handler_token(int32 token);
bool handler_token_exists(int32 token);

// The handler with that token if it currently belongs to looper, else null.
BHandler* handler_for_token(int32 token, const BLooper* looper);

} // namespace BPrivate

#endif // HANDLER_TOKENS_H
