#pragma once
// Starts a test on the default settings and gives the previous ones back afterwards; optionally
// routes the settings store to a test store for the same time.

#include "settings/settings.h"
#include "settings/settings_store.h"

namespace tindral::test {

class SettingsGuard {
public:
    explicit SettingsGuard(SettingsStore* store = nullptr)
        : saved_(g_settings), previous_store_(set_settings_store(store)) {
        g_settings = kDefaultSettings;
    }
    ~SettingsGuard() {
        set_settings_store(previous_store_);
        g_settings = saved_;
    }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

private:
    Settings saved_;
    SettingsStore* previous_store_;
};

}  // namespace tindral::test
