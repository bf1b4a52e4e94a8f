#include "Engine/EngIndexedList.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "Engine/EngDebug.h"
#include "Engine/EngMemory.h"

EngIndexedList::EngIndexedList(int grow_step)
    : m_entries(nullptr),
      m_count(0),
      m_capacity(0),
      m_grow_step(grow_step < 1 ? ENG_INDEXED_LIST_DEFAULT_GROW_STEP : grow_step) {}

EngIndexedList::~EngIndexedList() { RemoveAllEntries(); }

void EngIndexedList::Exit() { RemoveAllEntries(); }

int EngIndexedList::AddEntry(const void *data, int size) { return DoAdd(data, nullptr, size, 0); }

int EngIndexedList::AddEntryP(void **pointer, int size) { return DoAdd(nullptr, pointer, size, 0); }

int EngIndexedList::AddEmptyEntry(int size) { return DoAdd(nullptr, nullptr, size, 1); }

int EngIndexedList::DoAdd(const void *data, void **pointer, int size, char empty) {
  if (data && pointer) {
    DebugErrorAlt(ENG_FUNC, "Parameters not ok");
    return -1;
  }
  if (size <= 0) {
    DebugErrorAlt(ENG_FUNC, "Data size not ok");
    return -1;
  }
  if (!m_entries) {
    m_entries = static_cast<_EngIndexedListEntry **>(
        EngMalloc(sizeof(_EngIndexedListEntry *) * size_t(m_grow_step), ENG_FUNC, 1));
    m_count = 0;
    if (!m_entries) {
      DebugErrorAlt(ENG_FUNC, "No memory(1)");
      m_capacity = 0;
      return -1;
    }
    m_capacity = m_grow_step;
  }
  if (m_count >= m_capacity) {
    if (m_capacity > INT_MAX - m_grow_step) {
      DebugErrorAlt(ENG_FUNC, "No memory(2)");
      return -1;
    }
    int new_capacity = m_capacity + m_grow_step;
    _EngIndexedListEntry **grown = static_cast<_EngIndexedListEntry **>(
        EngMalloc(sizeof(_EngIndexedListEntry *) * size_t(new_capacity), ENG_FUNC, 1));
    if (!grown) {
      DebugErrorAlt(ENG_FUNC, "No memory(2)");
      return -1;
    }
    memcpy(grown, m_entries, sizeof(_EngIndexedListEntry *) * size_t(m_capacity));
    EngFree(m_entries, 1, ENG_FUNC);
    m_entries = grown;
    m_capacity = new_capacity;
  }
  if (m_entries[m_count]) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_IERR);
    return -1;
  }
  _EngIndexedListEntry *entry =
      static_cast<_EngIndexedListEntry *>(EngMalloc(sizeof(_EngIndexedListEntry), ENG_FUNC, 1));
  if (!entry) {
    DebugErrorAlt(ENG_FUNC, "No memory for element");
    return -1;
  }
  if (data || empty) {
    entry->data = EngMalloc(size_t(size), ENG_FUNC, empty);
    if (!entry->data) {
      DebugErrorAlt(ENG_FUNC, "No memory for element data");
      EngFree(entry, 1, ENG_FUNC);
      return -1;
    }
    if (data) memcpy(entry->data, data, size_t(size));
    entry->size = size;
    entry->owned = 1;
  } else {
    entry->data = pointer ? *pointer : nullptr;
    entry->size = pointer ? size : 0;
    entry->owned = 0;
  }
  m_entries[m_count] = entry;
  return m_count++;
}

char EngIndexedList::RemoveEntry(int index) {
  if (!m_entries) {
    DebugErrorAlt(ENG_FUNC, "No list.");
    return 0;
  }
  if (index < 0 || index >= m_count) {
    DebugErrorAlt(ENG_FUNC, "Bad num %d (%d).", index, m_count);
    return 0;
  }
  if (m_count >= 2) {
    for (int i = 1; i < m_count; i++) {
      if (m_entries[i]->owned != m_entries[0]->owned) {
        DebugErrorAlt(ENG_FUNC, "Not implemented for mixed type lists.");
        return 0;
      }
    }
  }
  _EngIndexedListEntry *removed = m_entries[index];
  if (removed->owned == 1) EngFree(removed->data, 1, ENG_FUNC);
  removed->data = nullptr;
  removed->size = 0;
  removed->owned = 0;
  if (m_count == 1) return RemoveAllEntries();
  // The entry records stay in their slots; only their contents move down.
  for (int i = index + 1; i < m_count; i++) *m_entries[i - 1] = *m_entries[i];
  EngFree(m_entries[m_count - 1], 1, ENG_FUNC);
  m_entries[m_count - 1] = nullptr;
  m_count--;
  return 1;
}

char EngIndexedList::RemoveAllEntries() {
  if (m_entries) {
    for (int i = 0; i < m_count; i++) {
      _EngIndexedListEntry *entry = m_entries[i];
      if (!entry) continue;
      if (entry->owned == 1)
        EngFree(entry->data, 0, ENG_FUNC);
      else if (entry->owned != 0)
        DebugErrorAlt(ENG_FUNC, "Problem in element data.");
      EngFree(entry, 1, ENG_FUNC);
      m_entries[i] = nullptr;
    }
    EngFree(m_entries, 1, ENG_FUNC);
  }
  m_entries = nullptr;
  m_count = 0;
  m_capacity = 0;
  return 1;
}

int EngIndexedList::GetNumEntries() const { return m_entries ? m_count : 0; }

void *EngIndexedList::GetEntryData(int index, int *size) {
  if (size) *size = 0;
  if (!m_entries || index < 0 || index >= m_count) {
    DebugErrorAlt(ENG_FUNC, "Entry does not exist (%ld, %ld)", long(index), long(m_count));
    return nullptr;
  }
  _EngIndexedListEntry *entry = m_entries[index];
  if (!entry) {
    DebugErrorAlt(ENG_FUNC, "No element at index %ld", long(index));
    return nullptr;
  }
  if (!entry->data) {
    DebugErrorAlt(ENG_FUNC, "No data at index %ld", long(index));
    return nullptr;
  }
  if (size) *size = entry->size;
  return entry->data;
}

_EngIndexedListEntry *EngIndexedList::FindEntryWithData(const char *signature, int index) {
  if (!m_entries || index < 0 || index >= m_count) {
    DebugErrorAlt(signature, "Entry does not exits (%ld, %ld)", long(index), long(m_count));
    return nullptr;
  }
  _EngIndexedListEntry *entry = m_entries[index];
  if (!entry) {
    DebugErrorAlt(signature, "No element at index %ld", long(index));
    return nullptr;
  }
  if (!entry->data) {
    DebugErrorAlt(signature, "No data at index %ld", long(index));
    return nullptr;
  }
  return entry;
}

char EngIndexedList::CopyEntryData(int index, int size, void *destination) {
  if (!destination) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  _EngIndexedListEntry *entry = FindEntryWithData(ENG_FUNC, index);
  if (!entry) return 0;
  if (size < entry->size) {
    DebugErrorAlt(ENG_FUNC, "Destination too small (%d < %d)", size, entry->size);
    return 0;
  }
  memcpy(destination, entry->data, size_t(entry->size));
  return 1;
}

char EngIndexedList::OverwriteEntryData(int index, void *data, int size) {
  if (!data) {
    DebugErrorAlt(ENG_FUNC, "No data passed in");
    return 0;
  }
  _EngIndexedListEntry *entry = FindEntryWithData(ENG_FUNC, index);
  if (!entry) return 0;
  if (entry->owned != 1) {
    DebugErrorAlt(ENG_FUNC, "Did not create the data memory %ld", long(index));
    return 0;
  }
  if (size != entry->size) {
    DebugErrorAlt(ENG_FUNC, "Size not ok (can be updated to re-alloc if desired)");
    return 0;
  }
  memcpy(entry->data, data, size_t(size));
  return 1;
}

char EngIndexedList::DoesEntryDataExist(void *data, int size, int *index) {
  if (!data || !m_entries || size <= 0) return 0;
  for (int i = 0; i < m_count; i++) {
    _EngIndexedListEntry *entry = m_entries[i];
    if (entry && entry->data && entry->size == size && memcmp(entry->data, data, size_t(size)) == 0) {
      if (index) *index = i;
      return 1;
    }
  }
  return 0;
}

void EngIndexedList::Sort(int (*compare)(const void *, const void *)) {
  if (!m_entries || !compare || m_count < 2) return;
  qsort(m_entries, size_t(m_count), sizeof(_EngIndexedListEntry *), compare);
}

void *EngIndexedList_GetDataFromSortPointer(const void *item, char report) {
  const _EngIndexedListEntry *entry = item ? *static_cast<const _EngIndexedListEntry *const *>(item) : nullptr;
  if (!entry || !entry->data || entry->size <= 0) {
    if (report) DebugErrorAlt(ENG_FUNC, "No data");
    return nullptr;
  }
  return entry->data;
}
