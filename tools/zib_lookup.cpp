// zib-lookup: replaces the nicknames in a text read from standard input by
// e-mail or postal addresses from the running address book, through a Word
// Services request, and writes the result to standard output.

#include <stdio.h>
#include <string.h>

#include <iostream>
#include <iterator>
#include <string>

#include <ErrnoStatus.h>
#include <Message.h>
#include <Messenger.h>

#include "LookupClient.h"
#include "ScriptedText.h"
#include "TeamPort.h"
#include "WordServicesConstants.h"

namespace {

const char kAddressBookSignature[] = "application/x-vnd.vornak-zibmo";
const char kOwnSignature[] = "application/x-vnd.vornak-zib-lookup";
// How often the wait checks that the address book is still there.
const bigtime_t kCheckInterval = 1000000;

int
usage(FILE* stream)
{
	fprintf(stream, "usage: zib-lookup --email | --postal\n"
					"Reads a text on standard input and writes it to standard output with\n"
					"every nickname of the running address book replaced by the record's\n"
					"e-mail address (--email) or postal address (--postal).\n");
	return stream == stdout ? 0 : 2;
}

// Every failure writes the text unchanged, so an editor filter never loses
// it, and says why on standard error.
int
fail(const std::string& text, const char* reason)
{
	fwrite(text.data(), 1, text.size(), stdout);
	fprintf(stderr, "zib-lookup: %s\n", reason);
	fflush(stdout);
	return 1;
}

int
run(int32 menuIndex)
{
	std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
	if (text.find('\0') != std::string::npos)
		return fail(text, "the text contains a zero byte");
	if (text.size() > size_t(kWordServicesMaxText))
		return fail(text, "the text is longer than the address book takes (64 MiB)");
	status_t status;
	BMessenger addressBook(kAddressBookSignature, -1, &status);
	if (status != B_OK) {
		std::string reason =
			std::string("no address book is running (") + kAddressBookSignature + ")";
		return fail(text, reason.c_str());
	}

	auto* client = new LookupClient(text);
	client->Run();
	// Lets the address book reach the text even if our connection drops;
	// without it the open connection alone carries the request.
	if (BPrivate::publish_team_port(kOwnSignature, client) != B_OK) {
		// Not fatal: the connection just opened serves both ways.
	}
	BMessage request(kMsgWordServicesBatch);
	request.AddInt32(kWordServicesIndexField, menuIndex);
	request.AddMessenger(kWordServicesTargetField, BMessenger(client->Text()));
	status = addressBook.SendMessage(&request, client);
	while (status == B_OK && (status = client->WaitForStop(kCheckInterval)) == B_TIMED_OUT) {
		if (addressBook.IsValid())
			status = B_OK;
	}
	int result = 0;
	if (status == B_OK) {
		client->Lock();
		fwrite(client->Text()->Text().data(), 1, client->Text()->Text().size(), stdout);
		client->Unlock();
		result = fflush(stdout) == 0 ? 0 : 1;
	} else {
		std::string reason = std::string("the address book did not finish the request (") +
							 BPrivate::status_text(status) + ")";
		result = fail(text, reason.c_str());
	}
	BPrivate::unpublish_team_port();
	client->Lock();
	client->Quit();
	return result;
}

} // namespace

int
main(int argc, char** argv)
{
	if (argc != 2)
		return usage(stderr);
	if (strcmp(argv[1], "--email") == 0)
		return run(kWordServicesEmailIndex);
	if (strcmp(argv[1], "--postal") == 0)
		return run(kWordServicesPostalIndex);
	if (strcmp(argv[1], "--help") == 0)
		return usage(stdout);
	return usage(stderr);
}
