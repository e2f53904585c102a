// Records keyed by a nonzero number, in one open-addressed array (linear
// probing, removal by shifting back), so that finding, adding and removing
// a record take constant time on average however many there are. A key
// may have several records, told apart by the caller's match: they all lie
// in the run of occupied slots that starts at the key's home slot, so the
// records of one key are found and removed together.
//
// A record is a plain struct whose first member is `uint64_t key`; key 0
// marks an empty slot, and a record of zeros is an empty one. The array
// grows before it is half full, so every run ends at an empty slot.
// Platform-neutral: the extender keeps its hooked windows and its coloured
// cells in such tables, and the native tests check them against a model.
#pragma once
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

template <typename Record>
struct KeyedTable {
    Record* slots;
    uint32_t capacity;  // 0, or a power of two
    uint32_t count;
};

// Multiplying by 2^64 / golden ratio spreads consecutive keys, such as
// item ids or window handles, over the whole array.
inline uint32_t HomeSlot(uint64_t key, uint32_t capacity) {
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (capacity - 1);
}

// The first record of key that match accepts, or null.
template <typename Record, typename Match>
Record* FindRecord(const KeyedTable<Record>& table, uint64_t key, Match match) {
    if (!table.capacity) return nullptr;
    const uint32_t mask = table.capacity - 1;
    for (uint32_t i = HomeSlot(key, table.capacity); table.slots[i].key; i = (i + 1) & mask) {
        if (table.slots[i].key == key && match(table.slots[i])) return &table.slots[i];
    }
    return nullptr;
}

template <typename Record>
Record* PlaceRecord(KeyedTable<Record>& table, const Record& record) {
    const uint32_t mask = table.capacity - 1;
    uint32_t i = HomeSlot(record.key, table.capacity);
    while (table.slots[i].key) i = (i + 1) & mask;
    table.slots[i] = record;
    return &table.slots[i];
}

// Adds a record (its key nonzero); null when memory runs out, the table
// unchanged. Pointers into the table are void after an add.
template <typename Record>
Record* AddRecord(KeyedTable<Record>& table, const Record& record) {
    if (2ull * (table.count + 1) > table.capacity) {
        const uint32_t capacity = table.capacity ? table.capacity * 2 : 16;
        Record* slots = capacity ? static_cast<Record*>(calloc(capacity, sizeof(Record))) : nullptr;
        if (!slots) return nullptr;
        KeyedTable<Record> grown = {slots, capacity, table.count};
        for (uint32_t i = 0; i < table.capacity; ++i) {
            if (table.slots[i].key) PlaceRecord(grown, table.slots[i]);
        }
        free(table.slots);
        table = grown;
    }
    ++table.count;
    return PlaceRecord(table, record);
}

// Empties the record's slot and moves later records of its run back into
// the hole where their home allows, so that no run is broken.
template <typename Record>
void RemoveRecord(KeyedTable<Record>& table, Record* record) {
    const uint32_t mask = table.capacity - 1;
    uint32_t hole = static_cast<uint32_t>(record - table.slots);
    for (uint32_t next = (hole + 1) & mask; table.slots[next].key; next = (next + 1) & mask) {
        const uint32_t home = HomeSlot(table.slots[next].key, table.capacity);
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            table.slots[hole] = table.slots[next];
            hole = next;
        }
    }
    memset(&table.slots[hole], 0, sizeof(Record));
    --table.count;
}

// Removes every record of key that match accepts; answers how many.
template <typename Record, typename Match>
uint32_t RemoveRecords(KeyedTable<Record>& table, uint64_t key, Match match) {
    if (!table.capacity) return 0;
    const uint32_t mask = table.capacity - 1;
    uint32_t removed = 0;
    for (uint32_t i = HomeSlot(key, table.capacity); table.slots[i].key;) {
        if (table.slots[i].key == key && match(table.slots[i])) {
            RemoveRecord(table, &table.slots[i]);  // a later record may move into slot i
            ++removed;
        } else {
            i = (i + 1) & mask;
        }
    }
    return removed;
}

template <typename Record>
void ClearTable(KeyedTable<Record>& table) {
    if (table.slots) memset(table.slots, 0, sizeof(Record) * table.capacity);
    table.count = 0;
}

template <typename Record>
void FreeTable(KeyedTable<Record>& table) {
    free(table.slots);
    table = KeyedTable<Record>{nullptr, 0, 0};
}
