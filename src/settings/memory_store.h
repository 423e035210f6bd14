#pragma once
// An in-memory settings store with the registry's semantics: values keep the order in which they
// were created, names compare without regard to ASCII case, and a value that does not fit the
// caller's buffer gives reg::more_data. Failures can be injected per operation.

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace tindral {

struct StoredValue {
    std::wstring name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

class MemoryStore : public SettingsStore {
public:
    StoreKey open_key(uint32_t& error) override;
    uint32_t query_value(StoreKey key, const std::wstring& name, uint32_t& type, void* data,
                         uint32_t& size) override;
    uint32_t set_value(StoreKey key, const std::wstring& name, uint32_t type, const void* data,
                       uint32_t size) override;
    void close_key(StoreKey key) override;

    // Direct access for tests and for seeding.
    const StoredValue* find(const std::wstring& name) const;
    uint32_t dword(const std::wstring& name) const;         // 0 when missing or not 4 bytes
    std::wstring string(const std::wstring& name) const;    // the stored characters
    void put_dword(const std::wstring& name, uint32_t v);
    void put_string(const std::wstring& name, const std::wstring& s);  // without terminator
    bool erase(const std::wstring& name);

    std::vector<StoredValue> values;       // in creation order
    std::vector<std::wstring> writes;      // names of successful set_value calls, in order
    std::deque<uint32_t> open_results;     // scripted results of the next opens; then success
    std::map<std::wstring, uint32_t> query_errors;  // value name -> error of every query
    std::map<std::wstring, uint32_t> set_errors;    // value name -> error of every write
    int open_count = 0;                    // keys currently open

private:
    StoredValue* lookup(const std::wstring& name);
    bool is_open(StoreKey key) const;

    StoreKey next_key_ = 1;
    std::vector<StoreKey> open_keys_;
};

}  // namespace tindral
