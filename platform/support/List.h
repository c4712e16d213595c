#ifndef LIST_H
#define LIST_H

#include <SupportDefs.h>

// An ordered list of untyped pointers; it never owns the items.
// Not thread-safe: the owner serialises access.
class BList {
public:
	BList(int32 blockSize = 20);
	BList(const BList& other);
	virtual ~BList();

	BList& operator=(const BList& other);

	bool AddItem(void* item);
	bool AddItem(void* item, int32 index);
	bool RemoveItem(void* item);
	void* RemoveItem(int32 index);
	void MakeEmpty();

	void* ItemAt(int32 index) const;
	void* LastItem() const;
	int32 IndexOf(void* item) const;
	int32 CountItems() const;
	bool IsEmpty() const;

private:
	bool _Resize(int32 count);

	void** fItems;
	int32 fItemCount;
	int32 fCapacity;
	int32 fBlockSize;
};

#endif // LIST_H
