#include "BookSync.h"

#include <libebook-contacts/libebook-contacts.h>

#include "ABookRecord.h"
#include "CardDavClient.h"
#include "InteropText.h"
#include "SyncReport.h"
#include "VCardMapping.h"
#include "ZIBook.h"

namespace {

void
Store(ABookRecord* record, const ContactFields& fields)
{
	for (int field = 0; field < kFieldCount; field++)
		record->SetField(field, fields[field].c_str());
}

QString
UidOf(EVCard* card)
{
	EVCardAttribute* attribute = e_vcard_get_attribute(card, EVC_UID);
	if (attribute == nullptr)
		return QString();
	gchar* value = e_vcard_attribute_get_value(attribute);
	QString uid = QString::fromUtf8(value != nullptr ? value : "");
	g_free(value);
	return uid;
}

QByteArray
Text(EVCard* card)
{
	gchar* text = e_vcard_to_string(card, EVC_FORMAT_VCARD_30);
	QByteArray bytes(text);
	g_free(text);
	return bytes;
}

} // namespace

BookSync::BookSync(ZIBook* book, SyncState* state, CardDavClient* client, const QUrl& addressBook)
	: fBook(book), fState(state), fClient(client), fUrl(addressBook)
{
}

CardDavResult
BookSync::_Failed(const QString& error)
{
	return CardDavResult{CardDavResult::kLocal, 0, error};
}

void
BookSync::_Tell(const QString& step) const
{
	if (fProgress)
		fProgress(step);
}

CardDavResult
BookSync::_ListServer()
{
	CardDavAddressBook info;
	CardDavResult result = fClient->Describe(fUrl, info);
	if (!result.IsOk())
		return result;
	const QString& known = fState->Token();
	const QHash<QString, SyncState::Item>& items = fState->Items();
	fToken = known;
	// The ctag has not moved since a sync found the server as the items say.
	if (!info.ctag.isEmpty() && info.ctag == fState->Ctag())
		return result;
	fCtag = info.ctag;
	if (info.ctag.isEmpty() && !known.isEmpty()) {
		QString current;
		result = fClient->SyncToken(fUrl, current);
		if (!result.IsOk() || current == known)
			return result;
	}
	QList<CardDavEntry> entries;
	bool whole = true;
	if (info.offersSyncCollection) {
		CardDavChanges changes;
		result = fClient->ListChanges(fUrl, known, changes);
		whole = known.isEmpty();
		// A token the server no longer knows: everything is listed again.
		if (result.kind == CardDavResult::kSyncTokenInvalid) {
			result = fClient->ListChanges(fUrl, QString(), changes);
			whole = true;
		}
		if (!result.IsOk())
			return result;
		entries = changes.changed;
		fToken = changes.syncToken;
		for (const QString& href : changes.removed) {
			if (items.contains(href))
				fRemovedThere.insert(href);
		}
	} else {
		result = fClient->ListEntries(fUrl, entries);
		if (!result.IsOk())
			return result;
		fToken.clear();
	}
	QSet<QString> listed;
	for (const CardDavEntry& entry : entries) {
		listed.insert(entry.href);
		if (items.value(entry.href).etag != entry.etag)
			fChangedThere.insert(entry.href, entry.etag);
	}
	// A whole listing: what it lacks is gone.
	if (whole) {
		for (auto item = items.begin(); item != items.end(); ++item) {
			if (!listed.contains(item.key()))
				fRemovedThere.insert(item.key());
		}
	}
	fQuietThere = fChangedThere.isEmpty() && fRemovedThere.isEmpty();
	return result;
}

CardDavResult
BookSync::_FetchCards(const QStringList& hrefs)
{
	QList<CardDavCard> cards;
	QStringList missing;
	CardDavResult result = fClient->Multiget(fUrl, hrefs, cards, missing);
	if (!result.IsOk())
		return result;
	for (const QString& href : missing) {
		fChangedThere.remove(href);
		if (fState->Items().contains(href))
			fRemovedThere.insert(href);
	}
	for (const CardDavCard& fetched : cards) {
		EVCard* evcard = e_vcard_new_from_string(fetched.vcard.constData());
		if (evcard == nullptr)
			continue;
		Card card{fetched.etag, fetched.vcard, UidOf(evcard), {}, {}};
		std::vector<std::string> dropped;
		const ContactFields whole = VCardMapping::ReadFields(evcard, dropped);
		g_object_unref(evcard);
		for (int field = 0; field < kFieldCount; field++) {
			card.fields[field] = whole[field].substr(0, FieldCut(whole[field]));
			if (card.fields[field].size() < whole[field].size())
				card.cut.push_back(std::string(gInitFieldNames[field]) + " \"" + whole[field] +
								   "\" to \"" + card.fields[field] + "\"");
		}
		fCards.insert(fetched.href, card);
	}
	return result;
}

void
BookSync::_IndexFresh(ABookRecord* record)
{
	fFresh.append(record);
	const ContactFields fields = FieldsOf(*record);
	if (!fields[kNicknameField].empty())
		fByNickname[QString::fromStdString(fields[kNicknameField])].append(record);
	const std::string key = NameAndEmailKey(fields);
	if (!key.empty())
		fByNameAndEmail[QString::fromStdString(key)].append(record);
}

ABookRecord*
BookSync::_TakeSamePerson(const ContactFields& fields)
{
	const std::string key = NameAndEmailKey(fields);
	for (const QList<ABookRecord*>* candidates :
		 {fields[kNicknameField].empty()
			  ? nullptr
			  : &fByNickname[QString::fromStdString(fields[kNicknameField])],
		  key.empty() ? nullptr : &fByNameAndEmail[QString::fromStdString(key)]}) {
		if (candidates == nullptr)
			continue;
		for (ABookRecord* record : *candidates) {
			if (!fTaken.contains(record)) {
				fTaken.insert(record);
				return record;
			}
		}
	}
	return nullptr;
}

// Links each card whose record is gone and that no key found to the fresh
// record sharing the most of its fields, when they share an e-mail address
// or a phone number, or at least two fields and half of the card's: the
// person renamed here (nickname and name at once) keeps their card and what
// the card holds beyond the fields.
void
BookSync::_TakeMostAlike(const QStringList& unlinked, QHash<QString, ABookRecord*>& changedHere)
{
	auto key = [](int field, const std::string& text) {
		return QString::number(field) + '\t' + QString::fromStdString(text);
	};
	QHash<QString, QList<ABookRecord*>> byField;
	QHash<ABookRecord*, qsizetype> order;
	for (ABookRecord* record : fFresh) {
		if (fTaken.contains(record))
			continue;
		order.insert(record, order.size());
		const ContactFields fields = FieldsOf(*record);
		for (int field = 0; field < kFieldCount; field++) {
			if (!fields[field].empty())
				byField[key(field, fields[field])].append(record);
		}
	}
	if (order.isEmpty())
		return;
	for (const QString& href : unlinked) {
		if (!fCards.contains(href) || changedHere.contains(href))
			continue;
		const ContactFields& fields = fCards[href].fields;
		QHash<ABookRecord*, int> shared;
		QSet<ABookRecord*> reached;
		int held = 0;
		for (int field = 0; field < kFieldCount; field++) {
			if (fields[field].empty())
				continue;
			held++;
			const bool reaches = field == kEmail1Field || field == kEmail2Field ||
								 field == kPhoneField || field == kCellField || field == kFaxField;
			for (ABookRecord* record : byField.value(key(field, fields[field]))) {
				if (fTaken.contains(record))
					continue;
				shared[record]++;
				if (reaches)
					reached.insert(record);
			}
		}
		ABookRecord* best = nullptr;
		for (auto candidate = shared.begin(); candidate != shared.end(); ++candidate) {
			const bool alike = reached.contains(candidate.key()) ||
							   (candidate.value() >= 2 && 2 * candidate.value() >= held);
			if (alike &&
				(best == nullptr || candidate.value() > shared[best] ||
				 (candidate.value() == shared[best] && order[candidate.key()] < order[best])))
				best = candidate.key();
		}
		if (best != nullptr) {
			fTaken.insert(best);
			changedHere.insert(href, best);
		}
	}
}

ABookRecord*
BookSync::_AddRecord(const ContactFields& fields)
{
	ABookRecord* record = fBook->makeNewRecord();
	Store(record, fields);
	fBook->IncrementTotalRecordsInThisAB();
	fBook->SetDirty(true);
	return record;
}

void
BookSync::_Take(const QString& href, const Card& card, ABookRecord* record)
{
	if (FieldsOf(*record) != card.fields) {
		Store(record, card.fields);
		fBook->SetDirty(true);
		fReport->cut.insert(fReport->cut.end(), card.cut.begin(), card.cut.end());
	}
	fPending.append(SyncState::Item{href, card.etag, card.uid, SyncState::HashOfFields(*record)});
}

void
BookSync::_KeepBoth(const QString& href, const Card& card, ABookRecord* record)
{
	const ContactFields local = FieldsOf(*record);
	fFresh.append(_AddRecord(local));
	fReport->conflicts.push_back(Description(local));
	_Take(href, card, record);
}

CardDavResult
BookSync::_Update(const QString& href, ABookRecord* record)
{
	const Card& card = fCards[href];
	EVCard* evcard = e_vcard_new_from_string(card.vcard.constData());
	if (evcard == nullptr)
		return CardDavResult{};
	VCardMapping::ApplyRecord(*record, evcard);
	const QByteArray vcard = Text(evcard);
	g_object_unref(evcard);
	return _Put(href, vcard, card.etag, card.uid, record, fReport->changedThere);
}

CardDavResult
BookSync::_Upload(ABookRecord* record)
{
	std::string text;
	fWriter.Append(*record, text);
	const QByteArray vcard = QByteArray::fromStdString(text);
	EVCard* evcard = e_vcard_new_from_string(vcard.constData());
	const QString uid = evcard != nullptr ? UidOf(evcard) : QString();
	if (evcard != nullptr)
		g_object_unref(evcard);
	const QString href = CardDavClient::NewHref(fUrl, uid);
	return _Put(href, vcard, QByteArray(), uid, record, fReport->addedThere);
}

// Puts vcard at href, over the card of ifMatch or as a new card, and keeps
// the record's state, counting it in done. A card changed or created there
// meanwhile is left to the next sync, which finds it changed on both sides,
// or brings it down or links it.
CardDavResult
BookSync::_Put(const QString& href, const QByteArray& vcard, const QByteArray& ifMatch,
			   const QString& uid, ABookRecord* record, int& done)
{
	QByteArray etag;
	CardDavResult result = fClient->Put(fUrl, href, vcard, ifMatch, etag);
	if (result.kind == CardDavResult::kPreconditionFailed)
		return CardDavResult{};
	if (!result.IsOk())
		return result;
	QString error;
	fQuietThere = false;
	if (!fState->Record({href, etag, uid, SyncState::HashOfFields(*record)}, &error))
		return _Failed(error);
	done++;
	return result;
}

CardDavResult
BookSync::Run(SyncReport& report)
{
	fReport = &report;
	_Tell("Listing the cards on the server...");
	CardDavResult result = _ListServer();
	if (!result.IsOk())
		return result;

	// A record with the hash of a card's last sync is that card, unchanged.
	QHash<QByteArray, QList<ABookRecord*>> byHash;
	QList<ABookRecord*> records;
	for (ABookRecord* record = fBook->GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		records.append(record);
		byHash[SyncState::HashOfFields(*record)].append(record);
	}
	QStringList hrefs = fState->Items().keys();
	hrefs.sort();
	QHash<QString, ABookRecord*> linked;
	QStringList unlinked;
	QSet<ABookRecord*> claimed;
	for (const QString& href : hrefs) {
		QList<ABookRecord*>& same = byHash[fState->Items().value(href).fieldsHash];
		if (same.isEmpty()) {
			unlinked.append(href);
		} else {
			linked.insert(href, same.first());
			claimed.insert(same.takeFirst());
		}
	}
	for (ABookRecord* record : records) {
		if (!claimed.contains(record))
			_IndexFresh(record);
	}

	QStringList wanted = fChangedThere.keys();
	for (const QString& href : unlinked) {
		if (!fChangedThere.contains(href) && !fRemovedThere.contains(href))
			wanted.append(href);
	}
	wanted.sort();
	_Tell(QString("Fetching %1 cards...").arg(wanted.size()));
	result = _FetchCards(wanted);
	if (!result.IsOk())
		return result;

	// A card whose record is gone was changed here, if a record of the same
	// person is new here, else deleted here.
	QHash<QString, ABookRecord*> changedHere;
	for (const QString& href : unlinked) {
		if (!fCards.contains(href))
			continue;
		if (ABookRecord* record = _TakeSamePerson(fCards[href].fields))
			changedHere.insert(href, record);
	}
	_TakeMostAlike(unlinked, changedHere);

	// Cards new there, known before the state changes below.
	QStringList added;
	for (auto card = fCards.begin(); card != fCards.end(); ++card) {
		if (!fState->Items().contains(card.key()))
			added.append(card.key());
	}
	added.sort();

	QString error;
	for (qsizetype done = 0; done < hrefs.size(); done++) {
		const QString& href = hrefs[done];
		_Tell(QString("Comparing card %1 of %2...").arg(done + 1).arg(hrefs.size()));
		if (ABookRecord* record = linked.value(href)) {
			if (fRemovedThere.contains(href)) {
				fBook->deleteRecord(record);
				fBook->SetDirty(true);
				fPending.append(SyncState::Item{href, {}, {}, {}});
				report.deletedHere++;
			} else if (fChangedThere.contains(href) && fCards.contains(href)) {
				_Take(href, fCards[href], record);
				report.changedHere++;
			}
		} else if (ABookRecord* changed = changedHere.value(href)) {
			if (fChangedThere.contains(href)) {
				_KeepBoth(href, fCards[href], changed);
			} else {
				result = _Update(href, changed);
				if (!result.IsOk())
					return result;
			}
		} else if (fRemovedThere.contains(href)) {
			fPending.append(SyncState::Item{href, {}, {}, {}});
		} else if (fChangedThere.contains(href) && fCards.contains(href)) {
			// Deleted here but changed there: the change is kept.
			_Take(href, fCards[href], _AddRecord(ContactFields()));
			report.addedHere++;
		} else if (!fChangedThere.contains(href)) {
			result = fClient->Delete(fUrl, href, fState->Items().value(href).etag);
			if (result.kind == CardDavResult::kPreconditionFailed)
				continue;
			if (!result.IsOk())
				return result;
			fQuietThere = false;
			if (!fState->Forget(href, &error))
				return _Failed(error);
			report.deletedThere++;
		}
	}

	for (const QString& href : added) {
		const Card& card = fCards[href];
		ABookRecord* same = _TakeSamePerson(card.fields);
		if (same == nullptr) {
			_Take(href, card, _AddRecord(ContactFields()));
			report.addedHere++;
		} else if (FieldsOf(*same) == card.fields) {
			_Take(href, card, same);
		} else {
			_KeepBoth(href, card, same);
		}
	}

	qsizetype sent = 0;
	for (ABookRecord* record : fFresh) {
		if (fTaken.contains(record))
			continue;
		_Tell(QString("Sending new record %1...").arg(++sent));
		result = _Upload(record);
		if (!result.IsOk())
			return result;
	}
	fWhole = true;
	return result;
}

bool
BookSync::Commit(QString* error)
{
	const bool quiet = fQuietThere && fPending.isEmpty();
	for (const SyncState::Item& item : fPending) {
		const bool written = item.fieldsHash.isEmpty() ? fState->Forget(item.href, error)
													   : fState->Record(item, error);
		if (!written)
			return false;
	}
	fPending.clear();
	if (!fWhole)
		return true;
	if (fToken != fState->Token() && !fState->SetToken(fToken, error))
		return false;
	// A ctag read before a listing that found the server as the items say,
	// with nothing written there since, vouches for those items.
	if (quiet && !fCtag.isEmpty() && !fState->SetCtag(fCtag, error))
		return false;
	return fState->Compact(error);
}
