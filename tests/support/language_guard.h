#pragma once
// Sets the interface language for one test and restores it afterwards.

#include "settings/settings.h"
#include "text/lang.h"

namespace tindral::test {

// The texts speak the given language, whatever any settings hold.
class TextLanguage {
public:
    explicit TextLanguage(uint32_t language)
        : language_(language), previous_(set_language_source(&language_)) {}
    ~TextLanguage() { set_language_source(previous_); }
    TextLanguage(const TextLanguage&) = delete;
    TextLanguage& operator=(const TextLanguage&) = delete;

private:
    uint32_t language_;
    const uint32_t* previous_;
};

// The language of the process-wide settings, which the program's windows and the board loader
// still read.
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
