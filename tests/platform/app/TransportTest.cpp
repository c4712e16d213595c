#include <errno.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include "PeerProcess.h"
#include "PortDirectory.h"
#include "RecordingHandlers.h"
#include "StringItem.h"
#include "TeamPort.h"
#include "TestDirectory.h"
#include "WireFrame.h"

using BPrivate::PortDirectory;
using BPrivate::WireFrame;
using namespace std::string_literals;

namespace {

const char kEcho[] = "application/x-vnd.zib-test-echo";
const char kOther[] = "application/x-vnd.zib-test-other";
const bigtime_t kSecond = 1000000;

std::string
le32(uint32 value)
{
	std::string bytes;
	for (int shift = 0; shift < 32; shift += 8)
		bytes.push_back(char(value >> shift));
	return bytes;
}

// A well-formed frame for a port that does not exist.
std::string
frame_to_nowhere()
{
	std::string frame;
	WireFrame::Encode(999999, BMessage('lost'), &frame);
	return frame;
}

class Transport : public TestDirectory {
protected:
	void TearDown() override
	{
		BPrivate::unpublish_team_port();
		TestDirectory::TearDown();
	}

	std::unique_ptr<PeerProcess> StartPeer(const char* signature)
	{
		auto peer =
			std::make_unique<PeerProcess>(TRANSPORT_PEER_PATH, std::vector<std::string>{signature});
		EXPECT_TRUE(peer->WaitReady());
		return peer;
	}

	// A raw socket connected to the peer, with a receive time-out; -1 on
	// failure.
	static int ConnectRaw(const PeerProcess& peer)
	{
		std::string path;
		sockaddr_un address;
		size_t length;
		if (PortDirectory::SocketPath(kEcho, peer.Pid(), &path) != B_OK ||
			!PortDirectory::MakeAddress(path, &address, &length))
			return -1;
		int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
		timeval patience = {10, 0};
		setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof(patience));
		if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
			close(fd);
			return -1;
		}
		return fd;
	}

	// A looper of this process, published as the home application.
	static RecordingLooper* StartHome(MessageLog& log)
	{
		auto* home = new RecordingLooper(log);
		home->Run();
		EXPECT_EQ(BPrivate::publish_team_port("application/x-vnd.zib-test-home", home), B_OK);
		return home;
	}

	// A synchronous request to the echo peer; B_OK when it answered.
	static status_t Ping(const BMessenger& target, BMessage* reply)
	{
		BMessage request('png?');
		return target.SendMessage(&request, reply, kSecond, 10 * kSecond);
	}
};

} // namespace

TEST_F(Transport, SynchronousRequestCarriesLargeTextAndSpecifierStack)
{
	auto peer = StartPeer(kEcho);
	status_t result;
	BMessenger echo(kEcho, -1, &result);
	ASSERT_EQ(result, B_OK);
	EXPECT_EQ(echo.Team(), peer->Pid());

	std::string text(3 << 20, 'a');
	for (size_t i = 0; i < text.size(); i += 4099)
		text[i] = char('b' + i % 20);
	BMessage request(B_GET_PROPERTY);
	request.AddString("text", text.c_str());
	request.AddSpecifier("Window");
	BMessage specifier(B_REVERSE_RANGE_SPECIFIER);
	specifier.AddString(B_PROPERTY_ENTRY, "Text");
	specifier.AddInt32("index", 7);
	specifier.AddInt32("range", 3);
	request.AddSpecifier(&specifier);

	BMessage reply;
	ASSERT_EQ(echo.SendMessage(&request, &reply, kSecond, 30 * kSecond), B_OK);
	EXPECT_EQ(reply.GetInt32("pid", 0), peer->Pid());
	EXPECT_EQ(reply.GetInt32("asked", 0), int32(B_GET_PROPERTY));
	ASSERT_NE(string_item(reply, "text"), nullptr);
	EXPECT_EQ(string_item(reply, "text"), text);
	EXPECT_EQ(reply.GetInt32("spec_current", -1), 1);
	EXPECT_EQ(reply.GetInt32("spec_what", -1), B_REVERSE_RANGE_SPECIFIER);
	EXPECT_STREQ(string_item(reply, "spec_property"), "Text");
	EXPECT_EQ(reply.GetInt32("spec_index", -1), 7);
	EXPECT_EQ(reply.GetInt32("spec_range", -1), 3);
}

TEST_F(Transport, MessengerPassedOnReachesThirdProcess)
{
	MessageLog log;
	RecordingLooper* home = StartHome(log);
	auto forwarder = StartPeer(kEcho);
	auto target = StartPeer(kOther);

	BMessage forward('fwd ');
	forward.AddMessenger("target", BMessenger(kOther));
	forward.AddMessenger("reply", BMessenger(nullptr, home));
	ASSERT_EQ(BMessenger(kEcho).SendMessage(&forward), B_OK);

	ASSERT_TRUE(log.WaitFor(1));
	BMessage got = log.Messages()[0];
	EXPECT_EQ(got.what, uint32(B_REPLY));
	EXPECT_EQ(got.GetInt32("asked", 0), int32('ping'));
	EXPECT_EQ(got.GetInt32("via", 0), forwarder->Pid());
	EXPECT_EQ(got.GetInt32("pid", 0), target->Pid());
	home->Lock();
	home->Quit();
}

TEST_F(Transport, PeerThatStopsReadingNeverBlocksAWriter)
{
	MessageLog log;
	RecordingLooper* home = StartHome(log);
	auto peer = StartPeer(kEcho);
	BMessage forward('fwd ');
	forward.AddMessenger("target", BMessenger(nullptr, home));
	forward.AddMessenger("reply", BMessenger(kEcho));
	ASSERT_EQ(BMessenger(kEcho).SendMessage(&forward), B_OK);
	ASSERT_TRUE(log.WaitFor(1));
	BMessage ping = log.Messages()[0];

	// Replies far larger than the socket buffer, to a peer that reads
	// nothing: the first waits in the connection's buffer, the one that
	// overflows it closes the connection; neither waits for the peer.
	ASSERT_EQ(kill(peer->Pid(), SIGSTOP), 0);
	BMessage reply(B_REPLY);
	reply.AddString("text", std::string(6 << 20, 'r').c_str());
	bigtime_t start = system_time();
	EXPECT_EQ(ping.SendReply(&reply), B_OK);
	const BMessenger peerLooper = ping.ReturnAddress();
	EXPECT_EQ(peerLooper.SendMessage(&reply), B_OK);
	EXPECT_EQ(peerLooper.SendMessage(&reply), B_BAD_PORT_ID);
	EXPECT_LT(system_time() - start, kSecond);
	ASSERT_EQ(kill(peer->Pid(), SIGCONT), 0);
	BMessage answer;
	EXPECT_EQ(Ping(BMessenger(kEcho), &answer), B_OK);
	home->Lock();
	home->Quit();
}

// Idle connections beyond the cap, and partial frames beyond the bound over
// all connections, cost the peer the connections idle longest, not its
// descriptors or memory; it keeps serving.
TEST_F(Transport, ConnectionsBeyondTheCapsAreClosedOldestFirst)
{
	const size_t part = BPrivate::TeamPort::kMaxPartialBytes * 3 / 8;
	const std::string partial = le32(WireFrame::kMaxPayloadSize) + std::string(part, 'x');
	for (auto [count, bytes] : {std::pair{BPrivate::TeamPort::kMaxConnectionsPerPeer + 4, ""s},
								std::pair{size_t(3), partial}}) {
		auto peer = StartPeer(kEcho);
		std::vector<int> fds;
		for (size_t i = 0; i < count; i++) {
			fds.push_back(ConnectRaw(*peer));
			ASSERT_GE(fds.back(), 0);
			ASSERT_EQ(send(fds.back(), bytes.data(), bytes.size(), MSG_NOSIGNAL),
					  ssize_t(bytes.size()));
			snooze(2000);
		}
		BMessage reply;
		EXPECT_EQ(Ping(BMessenger(kEcho), &reply), B_OK);
		char byte;
		EXPECT_EQ(recv(fds.front(), &byte, 1, 0), 0);
		EXPECT_EQ(recv(fds.back(), &byte, 1, MSG_DONTWAIT), -1);
		EXPECT_EQ(errno, EAGAIN);
		for (int fd : fds)
			close(fd);
		EXPECT_EQ(peer->Stop(), 0);
	}
}

struct HostileRow {
	const char* name;
	std::string bytes;
	bool dropped; // the peer must close this connection
};

class TransportHostile : public Transport, public testing::WithParamInterface<HostileRow> {};

TEST_P(TransportHostile, BadFrameCostsOnlyItsOwnConnection)
{
	auto peer = StartPeer(kEcho);
	int hostile = ConnectRaw(*peer);
	ASSERT_GE(hostile, 0);
	ASSERT_EQ(send(hostile, GetParam().bytes.data(), GetParam().bytes.size(), MSG_NOSIGNAL),
			  ssize_t(GetParam().bytes.size()));

	// A good client is served while the hostile connection is still open.
	BMessage reply;
	EXPECT_EQ(Ping(BMessenger(kEcho), &reply), B_OK);
	EXPECT_EQ(reply.GetInt32("pid", 0), peer->Pid());

	char byte;
	if (GetParam().dropped) {
		// Closed, or reset when bytes we sent were still unread.
		ssize_t got = recv(hostile, &byte, 1, 0);
		EXPECT_TRUE(got == 0 || (got < 0 && errno == ECONNRESET)) << got << " " << errno;
	}
	close(hostile);
	EXPECT_EQ(Ping(BMessenger(kEcho), &reply), B_OK);
	EXPECT_EQ(peer->Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(
	Rows, TransportHostile,
	testing::Values(HostileRow{"Oversized", le32(WireFrame::kMaxPayloadSize + 1), true},
					HostileRow{"Undersized", le32(3) + "abc", true},
					HostileRow{"Garbage", le32(40) + std::string(40, '\xab'), true},
					HostileRow{"Truncated", le32(5000) + std::string(100, '\0'), false},
					HostileRow{"UnknownPort", frame_to_nowhere(), false}),
	[](const auto& info) { return std::string(info.param.name); });

TEST_F(Transport, StaleSocketsAreSkippedAndRemoved)
{
	std::string stale[2];
	for (int i = 0; i < 2; i++) {
		ASSERT_EQ(PortDirectory::SocketPath(kEcho, i == 0 ? 1 : 999999, &stale[i]), B_OK);
		sockaddr_un address;
		size_t length;
		ASSERT_TRUE(PortDirectory::MakeAddress(stale[i], &address, &length));
		int fd = socket(AF_UNIX, SOCK_STREAM, 0);
		ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
		close(fd); // what a crashed application leaves behind
	}
	status_t result;
	BMessenger none(kEcho, -1, &result);
	EXPECT_EQ(result, B_NAME_NOT_FOUND);
	EXPECT_FALSE(none.IsValid());
	EXPECT_FALSE(std::filesystem::exists(stale[0]));
	EXPECT_FALSE(std::filesystem::exists(stale[1]));

	auto peer = StartPeer(kEcho);
	BMessenger echo(kEcho, -1, &result);
	EXPECT_EQ(result, B_OK);
	EXPECT_EQ(echo.Team(), peer->Pid());
	std::string live;
	ASSERT_EQ(PortDirectory::SocketPath(kEcho, peer->Pid(), &live), B_OK);
	EXPECT_EQ(peer->Stop(), 0);
	EXPECT_FALSE(std::filesystem::exists(live));
	BMessage reply;
	EXPECT_EQ(Ping(echo, &reply), B_BAD_PORT_ID);
}

TEST_F(Transport, WaitingSenderLearnsWhenPeerFails)
{
	auto peer = StartPeer(kEcho);
	BMessenger echo(kEcho);
	BMessage hold('hold'), reply;
	EXPECT_EQ(echo.SendMessage(&hold, &reply, kSecond, kSecond / 5), B_TIMED_OUT);
	// A peer that dies before answering ends the wait with an error.
	BMessage die('die!');
	EXPECT_EQ(echo.SendMessage(&die, &reply, kSecond, 60 * kSecond), B_BAD_PORT_ID);
}

TEST_F(Transport, PortDirectoryMustBePrivate)
{
	std::string directory = fPath.string() + "/runtime/larimo-ports";
	ASSERT_EQ(mkdir(directory.c_str(), 0755), 0);
	ASSERT_EQ(chmod(directory.c_str(), 0755), 0);
	auto* looper = new BLooper("app");
	EXPECT_EQ(BPrivate::publish_team_port(kEcho, looper), B_PERMISSION_DENIED);
	EXPECT_EQ(BMessenger(kEcho).Team(), -1);
	ASSERT_EQ(chmod(directory.c_str(), 0700), 0);
	EXPECT_EQ(BPrivate::publish_team_port(kEcho, looper), B_OK);
	looper->Quit();
}

// A client that looks the port up while it is being published never finds
// it bound but not yet listening, which it would take for stale and remove.
TEST_F(Transport, APortIsNeverSeenHalfPublished)
{
	std::string path;
	ASSERT_EQ(BPrivate::PortDirectory::SocketPath(kEcho, getpid(), &path), B_OK);
	std::atomic<bool> done{false};
	std::thread prober([&] {
		while (!done)
			BPrivate::PortDirectory::RemoveIfStale(path);
	});
	auto* looper = new BLooper("app");
	for (int round = 0; round < 300; round++) {
		ASSERT_EQ(BPrivate::publish_team_port(kEcho, looper), B_OK);
		EXPECT_EQ(BMessenger(kEcho).Team(), getpid()) << "round " << round;
		BPrivate::unpublish_team_port();
	}
	done = true;
	prober.join();
	looper->Quit();
}

// The frame format on its own; its size limits: the hostile rows above.
TEST(WireFrame, MalformedPayloadsLeaveAnEmptyMessage)
{
	BMessage good('abcd');
	good.AddInt32("index", 7);
	std::string frame;
	ASSERT_EQ(WireFrame::Encode(3, good, &frame), B_OK);
	const std::string payload = frame.substr(4);

	for (const std::string& bad :
		 {payload.substr(0, payload.size() - 1), std::string(4, '\0') + std::string(40, '\xab'),
		  payload.substr(0, 4) + "XXXX" + payload.substr(8)}) {
		BMessage decoded('keep');
		decoded.AddInt32("stale", 1);
		port_id port;
		EXPECT_NE(WireFrame::DecodePayload(bad.data(), bad.size(), &port, &decoded), B_OK);
		EXPECT_TRUE(decoded.IsEmpty());
	}
}
