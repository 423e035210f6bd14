#include "text/lang.h"

namespace tindral {

namespace {

const LangText kTable[TXT_COUNT] = {
#define TINDRAL_LANG_PAIR(key, de, en) {de, en},
    TINDRAL_LANG_TABLE(TINDRAL_LANG_PAIR)
#undef TINDRAL_LANG_PAIR
};

const char* const kNames[TXT_COUNT] = {
#define TINDRAL_LANG_NAME(key, de, en) #key,
    TINDRAL_LANG_TABLE(TINDRAL_LANG_NAME)
#undef TINDRAL_LANG_NAME
};

const uint32_t* g_language = nullptr;

}  // namespace

const uint32_t* set_language_source(const uint32_t* language) {
    const uint32_t* previous = g_language;
    g_language = language;
    return previous;
}

const LangText& lang_pair(TextKey key) { return kTable[key]; }

const wchar_t* text(const LangText& pair) {
    // Only 0 and 1 are ever stored; any other value must not index past the pair.
    return g_language && *g_language == 0 ? pair.german : pair.english;
}

const wchar_t* text(TextKey key) { return text(kTable[key]); }

const char* text_key_name(TextKey key) { return kNames[key]; }

}  // namespace tindral
