#include "List.h"

#include <cstdlib>
#include <cstring>

BList::BList(int32 blockSize)
	: fItems(nullptr), fItemCount(0), fCapacity(0), fBlockSize(blockSize > 0 ? blockSize : 1)
{
}

BList::BList(const BList& other)
	: fItems(nullptr), fItemCount(0), fCapacity(0), fBlockSize(other.fBlockSize)
{
	*this = other;
}

BList::~BList()
{
	free(fItems);
}

BList&
BList::operator=(const BList& other)
{
	if (this == &other)
		return *this;
	if (_Resize(other.fItemCount)) {
		fItemCount = other.fItemCount;
		if (fItemCount > 0)
			memcpy(fItems, other.fItems, fItemCount * sizeof(void*));
	}
	return *this;
}

bool
BList::AddItem(void* item)
{
	return AddItem(item, fItemCount);
}

bool
BList::AddItem(void* item, int32 index)
{
	if (index < 0 || index > fItemCount || !_Resize(fItemCount + 1))
		return false;
	memmove(fItems + index + 1, fItems + index, (fItemCount - index) * sizeof(void*));
	fItems[index] = item;
	fItemCount++;
	return true;
}

bool
BList::RemoveItem(void* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	RemoveItem(index);
	return true;
}

void*
BList::RemoveItem(int32 index)
{
	if (index < 0 || index >= fItemCount)
		return nullptr;
	void* item = fItems[index];
	memmove(fItems + index, fItems + index + 1, (fItemCount - index - 1) * sizeof(void*));
	fItemCount--;
	return item;
}

void
BList::MakeEmpty()
{
	fItemCount = 0;
}

void*
BList::ItemAt(int32 index) const
{
	if (index < 0 || index >= fItemCount)
		return nullptr;
	return fItems[index];
}

void*
BList::LastItem() const
{
	return ItemAt(fItemCount - 1);
}

int32
BList::IndexOf(void* item) const
{
	for (int32 i = 0; i < fItemCount; i++) {
		if (fItems[i] == item)
			return i;
	}
	return -1;
}

int32
BList::CountItems() const
{
	return fItemCount;
}

bool
BList::IsEmpty() const
{
	return fItemCount == 0;
}

bool
BList::_Resize(int32 count)
{
	if (count <= fCapacity)
		return true;
	int32 capacity = (count + fBlockSize - 1) / fBlockSize * fBlockSize;
	void** items = static_cast<void**>(realloc(fItems, capacity * sizeof(void*)));
	if (items == nullptr)
		return false;
	fItems = items;
	fCapacity = capacity;
	return true;
}
