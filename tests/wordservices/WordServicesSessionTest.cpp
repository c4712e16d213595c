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
// set requests. size < 0 with text empty: never answers "Size" at all.
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
		if (form == B_DIRECT_SPECIFIER) {
			if (fSize < 0 && fText.empty()) {
				held.emplace_back(Looper()->DetachCurrentMessage());
				return;
			}
			reply.AddInt32("result", fSize);
		} else {
			reply.AddString("result", fText.c_str());
		}
		message->SendReply(&reply);
	}

	int32 sets = 0;
	std::vector<std::unique_ptr<BMessage>> held;

private:
	int32 fSize;
	std::string fText;
};

class WordServicesTest : public testing::Test {
protected:
	void SetUp() override
	{
		AddRecord("bob", "Bob", "bob@example.com", "1 Main St", "Springfield");
		AddRecord("al", "Alexander", "alexander.the.great@macedon.example.org", "", "Pella");
		AddRecord("christopher", "Chris", "c@x.io", "", "");
	}

	void TearDown() override
	{
		for (BLooper* looper : {static_cast<BLooper*>(fClient), static_cast<BLooper*>(fServer)}) {
			if (looper != nullptr && looper->Lock())
				looper->Quit();
		}
		be_app_messenger = BMessenger();
	}

	void AddRecord(const char* nickname, const char* first, const char* email, const char* address,
				   const char* city)
	{
		ABookRecord* record = fBook.makeNewRecord();
		record->SetField(kNicknameField, nickname);
		record->SetField(kFirstNameField, first);
		record->SetField(kEmail1Field, email);
		record->SetField(kAddress1Field, address);
		record->SetField(kCityField, city);
		fBook.IncrementTotalRecordsInThisAB();
	}

	std::string Postal(const char* nickname)
	{
		char out[1000];
		EXPECT_TRUE(fBook.GetPostalAddressFromNickname(nickname, out, sizeof(out)));
		return out;
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

	// Sends 'Btch' for the given targets and waits for its one 'WStp'.
	void Request(BMessage request, const std::vector<BHandler*>& targets)
	{
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

	static BMessage Batch(int32 index)
	{
		BMessage request(kMsgWordServicesBatch);
		request.AddInt32(kWordServicesIndexField, index);
		return request;
	}

	ZIBook fBook{nullptr};
	SessionServer* fServer = nullptr;
	ClientLooper* fClient = nullptr;
};

struct ReplaceRow {
	const char* name;
	int32 menuIndex;
	std::string text;
	std::string expected; // "<postal>" stands for bob's formatted address
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
	Request(Batch(GetParam().menuIndex), targets);
	std::string expected = GetParam().expected;
	if (size_t at = expected.find("<postal>"); at != std::string::npos)
		expected.replace(at, 8, Postal("bob"));
	EXPECT_EQ(TextOf(0), expected);
}

INSTANTIATE_TEST_SUITE_P(
	Rows, WordServicesReplace,
	testing::Values(
		ReplaceRow{"EmailOnlyKnownWord", 0, "see bob, please", "see bob@example.com, please"},
		ReplaceRow{"PostalAcrossLines", 1, "to bob.", "to <postal>."},
		ReplaceRow{"LongerAndShorter", 0, "al and bob or christopher!",
				   "alexander.the.great@macedon.example.org and bob@example.com or c@x.io!"},
		ReplaceRow{"WordInsideRunIsOneWord", 0, "bob2 xbob BOB", "bob2 xbob bob@example.com"},
		ReplaceRow{"AddressSplitAtPunctuation", 0, "bob@al.com",
				   "bob@example.com@alexander.the.great@macedon.example.org.com"},
		ReplaceRow{"HighBytesSeparate", 0,
				   "\xc3\xa9"
				   "bob\xc3\xa9",
				   "\xc3\xa9"
				   "bob@example.com\xc3\xa9"},
		ReplaceRow{"NoWords", 0, ",,, -- !\t\n", ",,, -- !\t\n"},
		ReplaceRow{"EmptyText", 0, "", ""}, ReplaceRow{"MenuIndexTwo", 2, "bob al", "bob al"},
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
	Request(Batch(0), {&odd, fClient->TextAt(0)});
	EXPECT_EQ(odd.sets, 0);
	EXPECT_EQ(TextOf(0), "bob@example.com");
	fClient->Lock();
	fClient->RemoveHandler(&odd);
	fClient->Unlock();
}

INSTANTIATE_TEST_SUITE_P(Rows, WordServicesOddTarget,
						 testing::Values(OddRow{"Silent", -1, ""},
										 OddRow{"NegativeSize", -3, "bob"},
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
	Request(Batch(kWordServicesEmailIndex), targets);
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
