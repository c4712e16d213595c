// A process for the transport tests: publishes an echoing looper under the
// signature given as its first argument, prints "ready" and serves until
// its standard input closes.
//
// It answers every message with a B_REPLY that copies the request and adds
// int32 "pid", int32 "asked" (the request's what) and, for a scripting
// request, the current specifier ("spec_what", "spec_property",
// "spec_index", "spec_range", "spec_current"). Besides:
//   'fwd ' sends 'ping' to messenger "target" with replies going to
//          messenger "reply";
//   'hold' is kept unanswered;
//   'die!' ends the process at once, without answering or unpublishing.

#include <stdio.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include "ServeUntilStdinCloses.h"
#include "TeamPort.h"

namespace {

class EchoLooper : public BLooper {
public:
	EchoLooper() : BLooper("echo") {}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case 'fwd ': {
				BMessenger target, replyTo;
				message->FindMessenger("target", &target);
				message->FindMessenger("reply", &replyTo);
				BMessage ping('ping');
				ping.AddInt32("via", getpid());
				target.SendMessage(&ping, replyTo);
				break;
			}
			case 'hold':
				fHeld.emplace_back(DetachCurrentMessage());
				break;
			case 'die!':
				_exit(3);
			default:
				_Echo(message);
				break;
		}
	}

private:
	void _Echo(BMessage* message)
	{
		BMessage reply(*message);
		reply.what = B_REPLY;
		reply.AddInt32("pid", getpid());
		reply.AddInt32("asked", int32(message->what));
		int32 current, form;
		BMessage specifier;
		const char* property;
		if (message->GetCurrentSpecifier(&current, &specifier, &form, &property) == B_OK) {
			reply.AddInt32("spec_current", current);
			reply.AddInt32("spec_what", form);
			reply.AddString("spec_property", property);
			reply.AddInt32("spec_index", specifier.GetInt32("index", -1));
			reply.AddInt32("spec_range", specifier.GetInt32("range", -1));
		}
		message->SendReply(&reply);
	}

	std::vector<std::unique_ptr<BMessage>> fHeld;
};

} // namespace

int
main(int argc, char** argv)
{
	if (argc < 2)
		return 2;
	auto* looper = new EchoLooper;
	looper->Run();
	return serve_until_stdin_closes(argv[1], looper);
}
