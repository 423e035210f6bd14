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

// The language of the given settings (a window test's session, which the texts follow) for one
// scope.
class LanguageGuard {
public:
    LanguageGuard(Settings& settings, uint32_t language)
        : settings_(settings), saved_(settings.language) {
        settings_.language = language;
    }
    ~LanguageGuard() { settings_.language = saved_; }
    LanguageGuard(const LanguageGuard&) = delete;
    LanguageGuard& operator=(const LanguageGuard&) = delete;

private:
    Settings& settings_;
    uint32_t saved_;
};

}  // namespace tindral::test
