#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "ScriptedText.h"
#include "WordServicesConstants.h"
#include "WordServicesHarness.h"
#include "WordServicesSession.h"
#include "ZIBook.h"

namespace {

const bigtime_t kPatience = 20000000;

// Answers "Size" with a fixed value and "Text" with a fixed string; counts
// set requests.
class OddTarget : public BHandler {
public:
	OddTarget(int32 size, const char* text) : BHandler("odd"), fSize(size), fText(text) {}

	void MessageReceived(BMessage* message) override
	{
		int32 index, form;
		BMessage specifier;
		const char* property;
		if (message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK)
			return BHandler::MessageReceived(message);
		if (message->what == B_SET_PROPERTY) {
			sets++;
			return;
		}
		BMessage reply(B_REPLY);
		if (form == B_DIRECT_SPECIFIER)
			reply.AddInt32("result", fSize);
		else
			reply.AddString("result", fText.c_str());
		message->SendReply(&reply);
	}

	int32 sets = 0;

private:
	int32 fSize;
	std::string fText;
};

class WordServicesTest : public testing::Test {
protected:
	void SetUp() override
	{
		ABookRecord* record = fBook.makeNewRecord();
		record->SetField(kNicknameField, "bob");
		record->SetField(kEmail1Field, "bob@example.com");
		fBook.IncrementTotalRecordsInThisAB();
	}

	void TearDown() override
	{
		for (BLooper* looper : {static_cast<BLooper*>(fClient), static_cast<BLooper*>(fServer)}) {
			if (looper != nullptr && looper->Lock())
				looper->Quit();
		}
		be_app_messenger = BMessenger();
	}

	// Starts a server (on the book, or none) and a client serving texts;
	// extra handlers join the client's looper as further targets.
	void Start(const std::vector<std::string>& texts, bool withBook = true,
			   std::vector<BHandler*> extra = {})
	{
		fServer = new SessionServer(withBook ? &fBook : nullptr);
		fServer->Run();
		be_app_messenger = BMessenger(nullptr, fServer);
		fClient = new ClientLooper(texts);
		for (BHandler* handler : extra)
			fClient->AddHandler(handler);
		fClient->Run();
	}

	// Sends 'Btch' for the menu index and targets and waits for its one 'WStp'.
	void Request(int32 index, const std::vector<BHandler*>& targets)
	{
		BMessage request(kMsgWordServicesBatch);
		request.AddInt32(kWordServicesIndexField, index);
		for (BHandler* target : targets)
			request.AddMessenger(kWordServicesTargetField, BMessenger(target));
		ASSERT_EQ(BMessenger(nullptr, fServer).SendMessage(&request, fClient), B_OK);
		ASSERT_EQ(acquire_sem_etc(fClient->Stopped(), 1, B_RELATIVE_TIMEOUT, kPatience), B_OK);
		// Whatever else the session did has reached the client by now.
		BMessage sync(B_GET_PROPERTY), reply;
		sync.AddSpecifier(kWordServicesSizeProperty);
		BMessenger(fClient->TextAt(0)).SendMessage(&sync, &reply);
		EXPECT_NE(acquire_sem_etc(fClient->Stopped(), 1, B_RELATIVE_TIMEOUT, 0), B_OK)
			<< "a second 'WStp'";
	}

	std::string TextOf(size_t index)
	{
		fClient->Lock();
		std::string text = fClient->TextAt(index)->Text();
		fClient->Unlock();
		return text;
	}

	ZIBook fBook{nullptr};
	SessionServer* fServer = nullptr;
	ClientLooper* fClient = nullptr;
};

struct ReplaceRow {
	const char* name;
	int32 menuIndex;
	std::string text;
	std::string expected;
	bool withTarget = true;
	bool withBook = true;
};

class WordServicesReplace : public WordServicesTest,
							public testing::WithParamInterface<ReplaceRow> {};

TEST_P(WordServicesReplace, RewritesClientText)
{
	Start({GetParam().text}, GetParam().withBook);
	std::vector<BHandler*> targets;
	if (GetParam().withTarget)
		targets.push_back(fClient->TextAt(0));
	// Refused requests too end with one 'WStp' and leave the text alone.
	Request(GetParam().menuIndex, targets);
	EXPECT_EQ(TextOf(0), GetParam().expected);
}

// Longer and shorter addresses, postal addresses, texts without words and
// other menu indexes are served through the running application's lookup
// tool and Word Services tests.
INSTANTIATE_TEST_SUITE_P(Rows, WordServicesReplace,
						 testing::Values(ReplaceRow{"EmailOnlyKnownWord", 0, "see bob, please",
													"see bob@example.com, please"},
										 ReplaceRow{"WordInsideRunIsOneWord", 0, "bob2 xbob BOB",
													"bob2 xbob bob@example.com"},
										 ReplaceRow{"HighBytesSeparate", 0, "ébobé",
													"ébob@example.comé"},
										 ReplaceRow{"MenuIndexNegative", -1, "bob al", "bob al"},
										 ReplaceRow{"NoTarget", 0, "bob al", "bob al", false},
										 ReplaceRow{"NoBook", 0, "bob al", "bob al", true, false}),
						 [](const auto& info) { return std::string(info.param.name); });

struct OddRow {
	const char* name;
	int32 size;
	const char* text;
};

class WordServicesOddTarget : public WordServicesTest,
							  public testing::WithParamInterface<OddRow> {};

TEST_P(WordServicesOddTarget, UntrustworthyTextIsNotEdited)
{
	OddTarget odd(GetParam().size, GetParam().text);
	Start({"bob"}, true, {&odd});
	Request(0, {&odd, fClient->TextAt(0)});
	EXPECT_EQ(odd.sets, 0);
	EXPECT_EQ(TextOf(0), "bob@example.com");
	fClient->Lock();
	fClient->RemoveHandler(&odd);
	fClient->Unlock();
}

INSTANTIATE_TEST_SUITE_P(Rows, WordServicesOddTarget,
						 testing::Values(OddRow{"NegativeSize", -3, "bob"},
										 OddRow{"SizeOverLimit", kWordServicesMaxText + 1, "bob"},
										 OddRow{"TextLongerThanSize", 3, "al bob"},
										 OddRow{"TextShorterThanSize", 10, "bob"}),
						 [](const auto& info) { return std::string(info.param.name); });

TEST_F(WordServicesTest, OnlyTheFirst64TargetsAreServed)
{
	Start(std::vector<std::string>(WordServicesSession::kMaxTargets + 2, "bob"));
	std::vector<BHandler*> targets;
	for (int32 i = 0; i < WordServicesSession::kMaxTargets + 2; i++)
		targets.push_back(fClient->TextAt(i));
	Request(kWordServicesEmailIndex, targets);
	EXPECT_EQ(TextOf(WordServicesSession::kMaxTargets - 1), "bob@example.com");
	EXPECT_EQ(TextOf(WordServicesSession::kMaxTargets), "bob");
}

// Edits in any order, backwards and forwards, leave the text a plain string
// edited the same way would have; reads in between see every edit.
TEST(ScriptedTextEdits, MatchAPlainStringInAnyOrder)
{
	auto* client = new ClientLooper({"The quick brown fox jumps over the lazy dog."});
	client->Run();
	std::string expected = "The quick brown fox jumps over the lazy dog.";
	const BMessenger text(client->TextAt(0));
	srand(13);
	for (int i = 0; i < 300; i++) {
		BMessage request(B_SET_PROPERTY), reply;
		int32 index = rand() % int32(expected.size() + 1);
		int32 range = std::min(rand() % 5, index);
		BMessage specifier(B_REVERSE_RANGE_SPECIFIER);
		specifier.AddString(B_PROPERTY_ENTRY, kWordServicesTextProperty);
		specifier.AddInt32("index", index);
		size_t position = expected.size() - index;
		if (i % 2 == 0) {
			const std::string data = std::to_string(i);
			request.AddString("data", data.c_str());
			specifier.AddInt32("range", int32(data.size()));
			expected.insert(position, data);
		} else {
			specifier.AddInt32("range", range);
			expected.erase(position, range);
		}
		request.AddSpecifier(&specifier);
		ASSERT_EQ(text.SendMessage(&request, &reply), B_OK);
		if (i % 50 == 0) {
			BMessage size(B_GET_PROPERTY);
			size.AddSpecifier(kWordServicesSizeProperty);
			ASSERT_EQ(text.SendMessage(&size, &reply), B_OK);
			EXPECT_EQ(reply.GetInt32("result", -1), int32(expected.size()));
		}
	}
	client->Lock();
	EXPECT_EQ(client->TextAt(0)->Text(), expected);
	client->Quit();
}

} // namespace
