// A growable array of untyped entries addressed by index (0 to count - 1). Each entry either
// owns a private copy of its data or borrows a pointer the caller keeps alive; a list holds
// one kind only when entries are to be removed one by one.
#pragma once

#include "Engine/EngTypes.h"

struct _EngIndexedListEntry {
  void *data;
  EngInt32 size;
  char owned;  // 1: the list allocated the data and frees it
};

enum { ENG_INDEXED_LIST_DEFAULT_GROW_STEP = 64 };

class EngIndexedList {
 public:
  explicit EngIndexedList(int grow_step = 0);
  ~EngIndexedList();
  EngIndexedList(const EngIndexedList &) = delete;
  EngIndexedList &operator=(const EngIndexedList &) = delete;

  void Exit();
  int AddEntry(const void *data, int size);
  int AddEntryP(void **pointer, int size);
  int AddEmptyEntry(int size);
  int DoAdd(const void *data, void **pointer, int size, char empty);
  char RemoveEntry(int index);
  char RemoveAllEntries();
  int GetNumEntries() const;
  int GetNumEntriesQuick() const { return m_count; }
  void *GetEntryData(int index, int *size);
  void *GetEntryDataQuick(int index) { return m_entries[index]->data; }
  // Copies the entry's whole data; refuses a destination size smaller than the entry.
  char CopyEntryData(int index, int size, void *destination);
  char OverwriteEntryData(int index, void *data, int size);
  char DoesEntryDataExist(void *data, int size, int *index);
  // The compare function receives pointers to two slots of the entry array.
  void Sort(int (*compare)(const void *, const void *));

  int GetCapacityForTests() const { return m_capacity; }

 private:
  // Looks up an entry for CopyEntryData and OverwriteEntryData, logging under their name.
  _EngIndexedListEntry *FindEntryWithData(const char *signature, int index);

  _EngIndexedListEntry **m_entries;
  EngInt32 m_count;
  EngInt32 m_capacity;
  EngInt32 m_grow_step;
};

// For compare functions: item points at one slot of the entry array.
void *EngIndexedList_GetDataFromSortPointer(const void *item, char report);
