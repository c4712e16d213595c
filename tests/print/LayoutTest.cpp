// Every layout rendered into a PDF and read back with poppler's pdftotext:
// the texts, and where they stand on the page.

#include <string>
#include <vector>

#include <QPdfWriter>

#include <gtest/gtest.h>

#include <Entry.h>

#include "ABookRecord.h"
#include "EnvelopeLayout.h"
#include "LabelLayout.h"
#include "LetterLayout.h"
#include "ListLayout.h"
#include "MergeLayout.h"
#include "MergeTemplate.h"
#include "PdfPages.h"
#include "TestDirectory.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

const std::string kLong40 = "Abcdefghij Klmnopqrst Uvwxyzabcd Efghijkl";

class LayoutTest : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		entry_ref ref;
		ASSERT_EQ(get_ref_for_path(ZIB_SAMPLE_BOOK, &ref), B_OK);
		ASSERT_EQ(ZIBFiles::ReadBook(&ref, &fBook), B_OK);
		for (const ABookRecord* record = fBook.GetListOfRecords(); record != nullptr;
			 record = record->GetNextRecord())
			fSample.push_back(record);
	}

	const ABookRecord* Nickname(const char* nickname) const
	{
		for (const ABookRecord* record : fSample) {
			if (std::string(record->Field(kNicknameField)) == nickname)
				return record;
		}
		return nullptr;
	}

	const ABookRecord* Make(std::initializer_list<std::pair<int, std::string>> fields)
	{
		ABookRecord* record = fBook.makeNewRecord();
		for (const auto& [field, text] : fields)
			record->SetField(field, text.c_str());
		fBook.IncrementTotalRecordsInThisAB();
		return record;
	}

	template <class Layout>
	std::vector<PdfPage> Render(const Layout& layout,
								const std::vector<const ABookRecord*>& records)
	{
		std::string path = PathOf("out.pdf");
		{
			QPdfWriter writer(QString::fromStdString(path));
			EXPECT_TRUE(layout.Print(&writer, records));
		}
		return PdfPages(path);
	}

	ZIBook fBook{nullptr};
	std::vector<const ABookRecord*> fSample;
};

// The book's name at the top left, the page's number at the top right.
void
ExpectTitle(const PdfPage& page, const std::string& bookName, const std::string& number)
{
	const PdfWord* name = page.Find(bookName);
	const PdfWord* numberWord = page.Find(number);
	ASSERT_TRUE(name && numberWord) << number;
	EXPECT_LT(name->top, 15 * kPointsPerMm);
	EXPECT_EQ(numberWord->top, name->top);
	EXPECT_NEAR(numberWord->right, page.width - 12 * kPointsPerMm, 1);
}

TEST_F(LayoutTest, ListRowsAreNeverSplitAndEveryPageIsNamedAndNumbered)
{
	std::vector<const ABookRecord*> records;
	for (int i = 0; i < 150; i++)
		records.push_back(Make({{kFirstNameField, "Row" + std::to_string(i)},
								{kLastNameField, kLong40},
								{kCommentsField, kLong40},
								{kCityField, kLong40},
								{kAddress1Field, kLong40},
								{kEmail1Field, kLong40}}));
	std::vector<PdfPage> pages =
		Render(ListLayout("Big Book", {kFirstNameField, kLastNameField, kCommentsField, kCityField,
									   kAddress1Field, kEmail1Field}),
			   records);
	ASSERT_GT(pages.size(), 1u);
	int rows = 0;
	for (size_t i = 0; i < pages.size(); i++) {
		const PdfPage& page = pages[i];
		ExpectTitle(page, "Big", std::to_string(i + 1));
		for (const PdfWord& word : page.words) {
			EXPECT_LE(word.right, page.width - 10 * kPointsPerMm) << word.text;
			EXPECT_LE(word.bottom, page.height - 10 * kPointsPerMm) << word.text;
			if (word.text.rfind("Row", 0) == 0)
				rows++;
		}
	}
	EXPECT_EQ(rows, 150);
	EXPECT_GT(pages[0].width, pages[0].height);
}

class EnvelopeTest : public LayoutTest, public testing::WithParamInterface<PaperChoice> {};

TEST_P(EnvelopeTest, RecipientRightOfTheMiddleAndSenderInTheCorner)
{
	QSizeF size = PaperPageSize(GetParam()).size(QPageSize::Point);
	std::vector<PdfPage> pages =
		Render(EnvelopeLayout(GetParam(), Nickname("bob")), {Nickname("mum"), Nickname("zoe")});
	ASSERT_EQ(pages.size(), 2u);
	const PdfPage& page = pages[0];
	EXPECT_NEAR(page.width, size.width(), 1);
	EXPECT_NEAR(page.height, size.height(), 1);
	const PdfWord* sender = page.Find("Okafor");
	ASSERT_NE(sender, nullptr);
	EXPECT_LT(sender->right, page.width / 2);
	EXPECT_LT(sender->bottom, page.height / 3);
	// No title and no company: the three lines follow one another.
	const PdfWord* name = page.Find("Margaret");
	const PdfWord* street = page.Find("Rosemary");
	const PdfWord* town = page.Find("Kilkenny");
	ASSERT_TRUE(name && street && town);
	EXPECT_GT(name->left, page.width * 0.4);
	EXPECT_GT(name->top, page.height * 0.4);
	EXPECT_LT(town->bottom, page.height);
	EXPECT_NEAR(street->top - name->top, town->top - street->top, 0.5);
	EXPECT_LT(street->top - name->top, 20);
	EXPECT_NE(page.Text().find("Margaret Eileen Doyle 3 Rosemary Close Kilkenny R95 X2Y3"),
			  std::string::npos);
	EXPECT_NE(pages[1].Text().find("Zoë Adèle Lefèvre"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Sizes, EnvelopeTest,
						 testing::Values(PaperChoice::kDL, PaperChoice::kC5, PaperChoice::kC6,
										 PaperChoice::kUS10));

struct LabelCase {
	PaperChoice sheet;
	int columns;
	int rows;
	double left, top, width, height, columnPitch, rowPitch; // millimetres
};

class LabelTest : public LayoutTest, public testing::WithParamInterface<LabelCase> {};

TEST_P(LabelTest, OffsetSkipsLabelsAndAFullSheetStartsTheNext)
{
	const LabelCase& sheet = GetParam();
	int perSheet = sheet.columns * sheet.rows;
	const int offset = 4;
	std::vector<const ABookRecord*> records;
	for (int i = 0; i < perSheet; i++)
		records.push_back(Make({{kFirstNameField, "L" + std::to_string(i)},
								{kAddress1Field, kLong40},
								{kCityField, "Town"}}));
	std::vector<PdfPage> pages = Render(LabelLayout(sheet.sheet, offset), records);
	ASSERT_EQ(pages.size(), 2u);
	for (int i = 0; i < perSheet; i++) {
		int position = (i + offset) % perSheet;
		const PdfPage& page = pages[(i + offset) / perSheet];
		const PdfWord* word = page.Find("L" + std::to_string(i));
		ASSERT_NE(word, nullptr) << i;
		double left = (sheet.left + position % sheet.columns * sheet.columnPitch) * kPointsPerMm;
		double top = (sheet.top + position / sheet.columns * sheet.rowPitch) * kPointsPerMm;
		EXPECT_GT(word->left, left) << i;
		EXPECT_LT(word->left, left + 6 * kPointsPerMm) << i;
		EXPECT_GT(word->top, top) << i;
		EXPECT_LT(word->top, top + sheet.height * kPointsPerMm / 2) << i;
	}
	// The long street is cut inside its label.
	for (const PdfWord& word : pages[0].words) {
		double column = std::floor((word.left / kPointsPerMm - sheet.left) / sheet.columnPitch);
		double labelRight = (sheet.left + column * sheet.columnPitch + sheet.width) * kPointsPerMm;
		EXPECT_LE(word.right, labelRight) << word.text;
	}
	EXPECT_EQ(pages[1].Find("L" + std::to_string(perSheet - offset - 1)), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
	Sheets, LabelTest,
	testing::Values(LabelCase{PaperChoice::kL7160, 3, 7, 7.21, 15.15, 63.5, 38.1, 66.04, 38.1},
					LabelCase{PaperChoice::k5160, 3, 10, 4.76, 12.7, 66.68, 25.4, 69.85, 25.4}));

TEST_F(LayoutTest, LetterHasSenderDateRecipientSalutationAndFlowingBody)
{
	std::string body;
	for (int i = 1; i <= 80; i++)
		body += "Paragraph " + std::to_string(i) + " of the letter.\n";
	LetterLayout layout(Nickname("ann"), "7 December 2026", body, QPageSize(QPageSize::A4));
	std::vector<PdfPage> pages = Render(layout, {Nickname("zoe"), Nickname("olafur")});
	ASSERT_GE(pages.size(), 4u);
	const PdfPage& first = pages[0];
	const PdfWord* sender = first.Find("Whitfield");
	const PdfWord* date = first.Find("December");
	const PdfWord* recipient = first.Find("Lefèvre");
	ASSERT_TRUE(sender && date && recipient);
	EXPECT_GT(sender->left, first.width / 2);
	EXPECT_GT(date->top, sender->top);
	EXPECT_GT(date->left, first.width / 2);
	EXPECT_LT(recipient->left, first.width / 3);
	EXPECT_GE(recipient->top, 50 * kPointsPerMm - 1);
	std::string text = first.Text();
	EXPECT_LT(text.find("Lyon 69003"), text.find("Dear Zoë Lefèvre, Paragraph 1 of"));
	EXPECT_EQ(pages[1].words.front().text, "Paragraph");
	std::string all;
	for (const PdfPage& page : pages)
		all += page.Text() + " ";
	EXPECT_NE(all.find("Dear Ólafur Gunnarsson,"), std::string::npos);
	EXPECT_NE(all.find("Paragraph 80 of the letter."), std::string::npos);
	EXPECT_EQ(LetterLayout::Salutation(Make({{kCityField, "Oslo"}})), "Dear Sir or Madam,");
}

TEST_F(LayoutTest, MergeGivesEachRecordItsOwnPages)
{
	MergeTemplate merge("Hello {First Name} of {city},\n\nWe meet on {{Thursday}}.");
	ASSERT_EQ(merge.Error(), "");
	std::vector<PdfPage> pages = Render(MergeLayout(merge, QPageSize(QPageSize::Letter)),
										{Nickname("gosia"), Nickname("kenji")});
	ASSERT_EQ(pages.size(), 2u);
	EXPECT_EQ(pages[0].Text(), "Hello Małgorzata of Kraków, We meet on {Thursday}.");
	EXPECT_EQ(pages[1].Text(), "Hello Kenji of Nagoya, We meet on {Thursday}.");
	EXPECT_NEAR(pages[0].words[0].left, 25 * kPointsPerMm, 1);
	EXPECT_NEAR(pages[0].width, 612, 1);
}

} // namespace
