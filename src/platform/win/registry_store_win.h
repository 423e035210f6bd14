#pragma once
// The settings store in the registry: HKEY_CURRENT_USER\Software\Moravel\TindralV1.01.
// wWinMain installs one with set_settings_store before it calls get_settings.

#include <windows.h>

#include "settings/settings_store.h"

namespace tindral {

extern const wchar_t kRegistryKeyPath[];

class RegistryStore : public SettingsStore {
public:
    StoreKey open_key(uint32_t& error) override;
    uint32_t query_value(StoreKey key, const std::wstring& name, uint32_t& type, void* data,
                         uint32_t& size) override;
    uint32_t set_value(StoreKey key, const std::wstring& name, uint32_t type, const void* data,
                       uint32_t size) override;
    void close_key(StoreKey key) override;
};

}  // namespace tindral
