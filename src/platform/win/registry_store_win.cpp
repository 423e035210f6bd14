#include "platform/win/registry_store_win.h"

#include <cstring>
#include <vector>

namespace tindral {

const wchar_t kRegistryKeyPath[] = L"Software\\Moravel\\TindralV1.01";

namespace {

HKEY as_hkey(StoreKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

StoreKey RegistryStore::open_key(uint32_t& error) {
    HKEY key = nullptr;
    SECURITY_ATTRIBUTES sa{};
    LSTATUS rc = RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryKeyPath, 0, nullptr, 0,
                                 KEY_ALL_ACCESS, &sa, &key, nullptr);
    if (rc == ERROR_FILE_NOT_FOUND)
        rc = RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) {
        error = static_cast<uint32_t>(rc);
        return 0;
    }
    error = ERROR_SUCCESS;
    return reinterpret_cast<StoreKey>(key);
}

uint32_t RegistryStore::query_value(StoreKey key, const std::wstring& name, uint32_t& type,
                                    void* data, uint32_t& size) {
    DWORD t = 0;
    DWORD n = size;
    const LSTATUS rc = RegQueryValueExW(as_hkey(key), name.c_str(), nullptr, &t,
                                        static_cast<BYTE*>(data), &n);
    type = t;
    size = n;
    return static_cast<uint32_t>(rc);
}

uint32_t RegistryStore::set_value(StoreKey key, const std::wstring& name, uint32_t type,
                                  const void* data, uint32_t size) {
    // For a string the registry reads the character after the given length (and stores a
    // terminator when that one is NUL), so the data must be followed by a NUL of our own.
    std::vector<BYTE> bytes(size + sizeof(wchar_t), 0);
    if (size > 0) memcpy(bytes.data(), data, size);
    return static_cast<uint32_t>(
        RegSetValueExW(as_hkey(key), name.c_str(), 0, type, bytes.data(), size));
}

void RegistryStore::close_key(StoreKey key) { RegCloseKey(as_hkey(key)); }

}  // namespace tindral
