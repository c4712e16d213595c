#ifndef LOOPER_THREAD_H
#define LOOPER_THREAD_H

#include "LooperRunner.h"

namespace BPrivate {

// The default runner: a thread of the looper's own that dispatches until the
// looper quits, and ends once the looper is deleted.
class LooperThread : public LooperRunner {
public:
	thread_id Start(BLooper* looper) override;
};

} // namespace BPrivate

#endif // LOOPER_THREAD_H
