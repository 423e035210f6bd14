#include "settings/memory_store.h"

#include <algorithm>
#include <cstring>

#include "settings/utf16_bytes.h"

namespace tindral {

namespace {

wchar_t fold(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// Registry value names are case-insensitive.
bool same_value_name(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

template <class Map>
const uint32_t* injected(const Map& errors, const std::wstring& name) {
    for (const auto& [n, e] : errors)
        if (same_value_name(n, name)) return &e;
    return nullptr;
}

}  // namespace

StoreKey MemoryStore::open_key(uint32_t& error) {
    if (!open_results.empty()) {
        const uint32_t r = open_results.front();
        open_results.pop_front();
        if (r != reg::ok) {
            error = r;
            return 0;
        }
    }
    error = reg::ok;
    const StoreKey key = next_key_++;
    open_keys_.push_back(key);
    ++open_count;
    return key;
}

bool MemoryStore::is_open(StoreKey key) const {
    return std::find(open_keys_.begin(), open_keys_.end(), key) != open_keys_.end();
}

void MemoryStore::close_key(StoreKey key) {
    const auto it = std::find(open_keys_.begin(), open_keys_.end(), key);
    if (it == open_keys_.end()) return;
    open_keys_.erase(it);
    --open_count;
}

StoredValue* MemoryStore::lookup(const std::wstring& name) {
    for (StoredValue& v : values)
        if (same_value_name(v.name, name)) return &v;
    return nullptr;
}

const StoredValue* MemoryStore::find(const std::wstring& name) const {
    return const_cast<MemoryStore*>(this)->lookup(name);
}

uint32_t MemoryStore::query_value(StoreKey key, const std::wstring& name, uint32_t& type,
                                  void* data, uint32_t& size) {
    if (!is_open(key)) return reg::invalid_handle;
    if (const uint32_t* e = injected(query_errors, name)) return *e;
    const StoredValue* v = lookup(name);
    if (!v) return reg::file_not_found;
    const uint32_t capacity = size;
    type = v->type;
    size = static_cast<uint32_t>(v->data.size());
    if (size > capacity) return reg::more_data;
    if (size > 0) std::memcpy(data, v->data.data(), size);
    return reg::ok;
}

uint32_t MemoryStore::set_value(StoreKey key, const std::wstring& name, uint32_t type,
                                const void* data, uint32_t size) {
    if (!is_open(key)) return reg::invalid_handle;
    if (const uint32_t* e = injected(set_errors, name)) return *e;
    StoredValue* v = lookup(name);
    if (!v) {
        values.push_back({name, 0, {}});
        v = &values.back();
    }
    v->type = type;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    v->data.assign(bytes, bytes + size);
    writes.push_back(name);
    return reg::ok;
}

uint32_t MemoryStore::dword(const std::wstring& name) const {
    const StoredValue* v = find(name);
    uint32_t out = 0;
    if (v && v->data.size() == sizeof out) std::memcpy(&out, v->data.data(), sizeof out);
    return out;
}

std::wstring MemoryStore::string(const std::wstring& name) const {
    const StoredValue* v = find(name);
    if (!v) return std::wstring();
    return from_utf16_bytes(v->data.data(), v->data.size() / 2);
}

void MemoryStore::put_dword(const std::wstring& name, uint32_t v) {
    StoredValue* s = lookup(name);
    if (!s) {
        values.push_back({name, 0, {}});
        s = &values.back();
    }
    s->type = reg::dword;
    s->data.resize(sizeof v);
    std::memcpy(s->data.data(), &v, sizeof v);
}

void MemoryStore::put_string(const std::wstring& name, const std::wstring& text) {
    StoredValue* s = lookup(name);
    if (!s) {
        values.push_back({name, 0, {}});
        s = &values.back();
    }
    s->type = reg::sz;
    s->data = utf16_bytes(text);
}

bool MemoryStore::erase(const std::wstring& name) {
    for (auto it = values.begin(); it != values.end(); ++it)
        if (same_value_name(it->name, name)) {
            values.erase(it);
            return true;
        }
    return false;
}

}  // namespace tindral
