#pragma once
// Routes the settings store to a test store for one test and gives the previous one back.

#include "settings/settings_store.h"

namespace tindral::test {

class StoreGuard {
public:
    explicit StoreGuard(SettingsStore* store) : previous_(set_settings_store(store)) {}
    ~StoreGuard() { set_settings_store(previous_); }
    StoreGuard(const StoreGuard&) = delete;
    StoreGuard& operator=(const StoreGuard&) = delete;

private:
    SettingsStore* previous_;
};

}  // namespace tindral::test
