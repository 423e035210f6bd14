#pragma once
// The per-user store behind the settings: named DWORD and string values under one key. On
// Windows it is the registry (platform/win/registry_store_win.h); tests and the native build use
// MemoryStore. The calls mirror the registry's, error codes included, so that the algorithms on
// top of them exist once.

#include <cstdint>
#include <string>

namespace tindral {

// Value types and the error codes the settings code tells apart (the registry's numbers).
namespace reg {
constexpr uint32_t sz = 1;      // REG_SZ: UTF-16 characters, stored without a terminator
constexpr uint32_t dword = 4;   // REG_DWORD

constexpr uint32_t ok = 0;
constexpr uint32_t file_not_found = 2;   // the key path or the value does not exist
constexpr uint32_t access_denied = 5;
constexpr uint32_t invalid_handle = 6;
constexpr uint32_t more_data = 234;      // the value does not fit the buffer
}  // namespace reg

// An open key; 0 is no key.
using StoreKey = uintptr_t;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Opens the program's key, creating it when absent. Returns 0 and sets error on failure.
    virtual StoreKey open_key(uint32_t& error) = 0;

    // Reads a value into data, which holds size bytes. On return size is the value's length in
    // bytes and type its type. A value longer than size gives reg::more_data and leaves data
    // untouched; a missing one reg::file_not_found.
    virtual uint32_t query_value(StoreKey key, const std::wstring& name, uint32_t& type,
                                 void* data, uint32_t& size) = 0;

    // Creates or replaces a value with size bytes of data.
    virtual uint32_t set_value(StoreKey key, const std::wstring& name, uint32_t type,
                               const void* data, uint32_t size) = 0;

    virtual void close_key(StoreKey key) = 0;
};

// Installs the store every settings operation goes through and returns the previous one.
// nullptr installs a process-wide in-memory store, which is also what runs when no store was
// installed (so code under test never touches a real registry by accident).
SettingsStore* set_settings_store(SettingsStore* store);
SettingsStore& settings_store();

}  // namespace tindral
