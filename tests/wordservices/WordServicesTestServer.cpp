// A headless stand-in for the address book in tool tests: reads the book
// file given as its first argument, publishes a session server under the
// address book's signature, prints "ready" and serves until its standard
// input closes.

#include <stdio.h>
#include <unistd.h>

#include <File.h>
#include <Messenger.h>

#include "ServeUntilStdinCloses.h"
#include "TeamPort.h"
#include "WordServicesHarness.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

int
main(int argc, char** argv)
{
	if (argc != 2)
		return 2;
	ZIBook book(nullptr);
	BFile file(argv[1], B_READ_ONLY);
	if (file.InitCheck() != B_OK || ZIBFiles::ReadBook(&file, &book, true) != B_OK)
		return 1;
	auto* server = new SessionServer(&book);
	server->Run();
	be_app_messenger = BMessenger(nullptr, server);
	return serve_until_stdin_closes("application/x-vnd.vornak-zibmo", server);
}
