#ifndef APPLICATION_H
#define APPLICATION_H

#include <Entry.h>
#include <Looper.h>
#include <Messenger.h>
#include <SupportDefs.h>

#include <atomic>

class BWindow;

// Launch flags of app_info::flags.
enum {
	B_SINGLE_LAUNCH = 0x0,
	B_MULTIPLE_LAUNCH = 0x1,
	B_EXCLUSIVE_LAUNCH = 0x2,
	B_LAUNCH_MASK = 0x3,
	B_BACKGROUND_APP = 0x4,
	B_ARGV_ONLY = 0x8,
};

// Sent to the application when it becomes (bool "active") or stops being
// the active application.
enum {
	B_APP_ACTIVATED = '_ACT',
};

#define B_MIME_TYPE_LENGTH 256

struct app_info {
	app_info();

	thread_id thread;
	team_id team;
	port_id port;
	uint32 flags;
	entry_ref ref; // the executable
	char signature[B_MIME_TYPE_LENGTH];
};

// The application: the process's one main looper. Its constructor sets
// be_app and be_app_messenger; with the interface kit linked it also starts
// the GUI (windows may be created from then on).
//
// Run() delivers the launch: the command-line arguments that name existing
// entries as one B_REFS_RECEIVED (refs in order), the others as one
// B_ARGV_RECEIVED (argv[0] first), then B_READY_TO_RUN. It dispatches on
// the calling thread (through the GUI event loop when there is one) until
// Quit(), then returns; the application is not deleted by Quit(), its
// creator deletes it after Run() returns.
class BApplication : public BLooper {
public:
	explicit BApplication(const char* signature);
	~BApplication() override;

	// Answers the dispatching thread once the loop has ended.
	thread_id Run() override;
	// Ends Run() after the current message; thread-safe.
	void Quit() override;
	// Asks every window (locked, in order); a window that agrees is quit.
	// False as soon as one refuses.
	bool QuitRequested() override;

	virtual void ReadyToRun();
	virtual void RefsReceived(BMessage* message);
	virtual void ArgvReceived(int32 argc, char** argv);
	virtual void AppActivated(bool active);

	void MessageReceived(BMessage* message) override;
	void DispatchMessage(BMessage* message, BHandler* handler) override;

	// The open windows, in the order they were created; thread-safe.
	int32 CountWindows() const;
	BWindow* WindowAt(int32 index) const;

	// B_OK; B_ERROR when the executable cannot be named.
	status_t GetAppInfo(app_info* info) const;

private:
	void _PostLaunchMessages();
	void _DispatchArgv(BMessage* message);

	const char* fSignature;
	std::atomic<bool> fQuitting;
	bool fRunning;
};

extern BApplication* be_app;

#endif // APPLICATION_H
