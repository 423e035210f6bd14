#pragma once
// Sets the interface language for one test and restores it afterwards.

#include "settings/settings.h"

namespace tindral::test {

class LanguageGuard {
public:
    explicit LanguageGuard(uint32_t language) : saved_(g_settings.language) {
        g_settings.language = language;
    }
    ~LanguageGuard() { g_settings.language = saved_; }
    LanguageGuard(const LanguageGuard&) = delete;
    LanguageGuard& operator=(const LanguageGuard&) = delete;

private:
    uint32_t saved_;
};

}  // namespace tindral::test
