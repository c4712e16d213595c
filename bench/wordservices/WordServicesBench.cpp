// One Word Services request end to end: 'Btch' to a session server, the
// session fetching the client's text and replacing nicknames by e-mail
// addresses, until the client gets 'WStp'. BM_Request runs server and
// client as loopers of this process; BM_RemoteRequest sends the request to
// a running zibmo with the book open, so every request crosses the socket
// transport and is served by the application object. BM_SocketRoundTrip is
// the floor: a small message to a thread across a Unix socket and back.
// Targets, remote: 10 KB with 50 replacements within 5 ms, 1 MB with 1,000
// within 100 ms, 800 KB with 110,000 within 10 s.

#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>

#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <Node.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "WordServicesConstants.h"
#include "WordServicesHarness.h"
#include "RunningZibmo.h"
#include "ZIBook.h"

namespace {

const int kRecords = 1000;

void
fill_book(ZIBook* book)
{
	for (int i = 0; i < kRecords; i++) {
		ABookRecord* record = book->makeNewRecord();
		std::string nickname = "nick" + std::to_string(i);
		record->SetField(kNicknameField, nickname.c_str());
		record->SetField(kEmail1Field, (nickname + "@mail.example.org").c_str());
		book->IncrementTotalRecordsInThisAB();
	}
}

// About size bytes of filler words with replacements nicknames spread
// evenly through them (nothing but nicknames when they fill it).
std::string
make_text(size_t size, int replacements)
{
	static const char* const kFiller[] = {"lorem ", "ipsum, ", "dolor ", "sit. ", "amet\n"};
	std::string text;
	size_t step = size / replacements;
	for (int i = 0; i < replacements; i++) {
		for (int word = 0; text.size() + 12 < step * i + step; word++)
			text += kFiller[word % 5];
		text += "nick" + std::to_string(i * 7 % kRecords) + " ";
	}
	return text;
}

// Times requests of state's text size and replacement count to server.
void
run_requests(benchmark::State& state, const BMessenger& server)
{
	const std::string text = make_text(state.range(0), state.range(1));
	for (auto _ : state) {
		state.PauseTiming();
		auto* client = new ClientLooper({text});
		client->Run();
		BMessage request(kMsgWordServicesBatch);
		request.AddInt32(kWordServicesIndexField, kWordServicesEmailIndex);
		request.AddMessenger(kWordServicesTargetField, BMessenger(client->TextAt(0)));
		state.ResumeTiming();

		if (server.SendMessage(&request, client) != B_OK ||
			acquire_sem(client->Stopped()) != B_OK) {
			state.SkipWithError("no 'WStp'");
		}

		state.PauseTiming();
		client->Lock();
		if (client->TextAt(0)->Text().find("@mail.example.org") == std::string::npos)
			state.SkipWithError("nothing replaced");
		client->Quit();
		state.ResumeTiming();
	}
	state.counters["replacements"] = double(state.range(1));
}

void
BM_Request(benchmark::State& state)
{
	ZIBook book(nullptr);
	fill_book(&book);
	auto* server = new SessionServer(&book);
	server->Run();
	be_app_messenger = BMessenger(nullptr, server);
	run_requests(state, BMessenger(nullptr, server));
	server->Lock();
	server->Quit();
	be_app_messenger = BMessenger();
}

void
BM_RemoteRequest(benchmark::State& state)
{
	// A home of our own, so no running address book answers and no real
	// settings change.
	char pattern[] = "/tmp/zibbench.XXXXXX";
	if (mkdtemp(pattern) == nullptr)
		return state.SkipWithError("no temporary directory");
	const std::filesystem::path directory = pattern;
	setenv("HOME", directory.c_str(), 1);
	for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
		setenv(name, directory.c_str(), 1);
	const std::string book = (directory / "book.zib").string();
	{
		std::ofstream file(book);
		for (int i = 0; i < kRecords; i++) {
			file << "nick" << i;
			for (int field = 1; field < kFieldCount; field++)
				file << '\t'
					 << (field == kEmail1Field ? "nick" + std::to_string(i) + "@mail.example.org"
											   : "");
			file << '\n';
		}
	}
	const char type[] = "application/x.vnd-vornak-zibfile";
	BNode(book.c_str()).WriteAttr("BEOS:TYPE", 'MIMS', 0, type, sizeof(type));
	{
		RunningZibmo zibmo(ZIBMO_PATH, {book});
		if (zibmo.WaitReady())
			run_requests(state, BMessenger(RunningZibmo::kSignature));
		else
			state.SkipWithError("zibmo did not start");
	}
	std::filesystem::remove_all(directory);
}

void
BM_SocketRoundTrip(benchmark::State& state)
{
	int ends[2];
	if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
		return state.SkipWithError("no socket pair");
	char message[64] = {};
	std::thread echo([&ends] {
		char buffer[64];
		while (recv(ends[1], buffer, sizeof(buffer), MSG_WAITALL) == sizeof(buffer))
			send(ends[1], buffer, sizeof(buffer), MSG_NOSIGNAL);
	});
	for (auto _ : state) {
		if (send(ends[0], message, sizeof(message), MSG_NOSIGNAL) != sizeof(message) ||
			recv(ends[0], message, sizeof(message), MSG_WAITALL) != sizeof(message)) {
			state.SkipWithError("echo failed");
			break;
		}
	}
	shutdown(ends[0], SHUT_RDWR);
	echo.join();
	close(ends[0]);
	close(ends[1]);
}

} // namespace

BENCHMARK(BM_SocketRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Request)
	->Args({10 << 10, 50})
	->Args({1 << 20, 1000})
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_RemoteRequest)
	->Args({10 << 10, 50})
	->Args({1 << 20, 1000})
	->Args({800 << 10, 110000})
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
