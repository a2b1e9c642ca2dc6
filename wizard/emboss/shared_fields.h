#pragma once
#include <cstdint>

// The record's label range and start position are written by the page while
// a job's worker reads them. The record is packed, so its fields cannot be
// bound to std::atomic_ref; these move one 32-bit field as a single atomic
// access instead.
inline int32_t LoadSharedField(const void* pField) {
    int32_t value;
    __atomic_load(static_cast<const int32_t*>(pField), &value, __ATOMIC_ACQUIRE);
    return value;
}

inline void StoreSharedField(void* pField, int32_t value) {
    __atomic_store(static_cast<int32_t*>(pField), &value, __ATOMIC_RELEASE);
}
