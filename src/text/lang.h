#pragma once
// German/English text pairs: every user-visible text comes from here.

#include <cstddef>
#include <cstdint>

namespace tindral {

struct LangText {
    const wchar_t* german;
    const wchar_t* english;
};

// X(key, German, English)
#define TINDRAL_LANG_TABLE(X) \
    X(TXT_NOT_EAGLE_FILE, L"Diese Datei ist scheinbar keine Eagle Datei!", L"This file doe not seem not to be a Eagle file") \
    X(TXT_FOUND_COMPONENTS, L"Gefundene Bauteile", L"Found components") \
    X(TXT_PLACED_TOTAL, L"  Best\u00FCckt: Gesamt", L"  Placed: Total") \
    X(TXT_SPECIFY_FILE, L"Bitte eine Datei ausw\u00E4hlen", L"Please specify file") \
    X(TXT_PATH_LIST_FULL, L"In der Pfad Liste ist das Maximum an Eintr\u00E4gen erreicht.\rBitte alte Eintr\u00E4ge l\u00F6schen", L"Max number of entries in path list is reached.\rPlease delete old entries") \
    X(TXT_SELECTION_OVERWRITE, L"Momentane Auswahl wird \u00FCberschrieben!\n Fortfahren?", L"Current selection will be overwritten! \nContinue?") \
    X(TXT_NO_COMPONENT_SELECTED, L"Keine Komponente ausgew\u00E4hlt", L"No component selected") \
    X(TXT_HELP_FILE_NOT_FOUND, L"Hilfe Datei nicht gefunden", L"Help file not found") \
    X(TXT_STATUS_BOTTOM, L"Unten", L"BOTTOM") \
    X(TXT_OF, L"von", L"of") \
    X(TXT_ONLY_V6_V7, L"Tindral kann nur Dateien aus Eagle Versionen V6 oder V7 bearbeiten", L"Tindral can only handle files generated from Eagle Version V6 or V7") \
    X(TXT_NO_APP_PATH, L"Application path == 0\n\r Hilfe nicht verf\u00FCgbar", L"Application path == 0\n\r No help available") \
    X(TXT_DELETE, L"L\u00F6schen", L"Delete") \
    X(TXT_PATH, L"Pfad", L"Path") \
    X(TXT_ALL, L"Alle", L"All") \
    X(TXT_USE_FILE_LIST, L"Datei Liste benutzen", L"Use file list") \
    X(TXT_CANCEL, L"Abbrechen", L"Cancel") \
    X(TXT_FILENAME, L"Dateiname", L"Filename") \
    X(TXT_COLOR_TOP_BACK1, L"Farbe Oben Hintergrund1", L"Color top background1") \
    X(TXT_HELP, L"Hilfe", L"Help") \
    X(TXT_CROSSHAIR_ON, L"Fadenkreuz an", L"Crosshair on") \
    X(TXT_PATH_FILENAME, L"Pfad/Dateiname", L"Path/filename") \
    X(TXT_SETTINGS, L"Einstellungen", L"Settings") \
    X(TXT_REMEMBER_SIDE, L"Seiten Auswahl merken", L"Remember side selection") \
    X(TXT_COLORS, L"Farben", L"Colors") \
    X(TXT_UNSELECTED, L"Nicht ausgew\u00E4hlt", L"Unselected") \
    X(TXT_LEAVE_SELECTED, L"Bauteil ausgew\u00E4hlt lassen", L"Leave component selected") \
    X(TXT_OPTIONS, L"Extras", L"Options") \
    X(TXT_PRINT, L"Drucken", L"Print") \
    X(TXT_RESET_SELECTION, L"Auswahl r\u00FCcksetzen", L"Reset selection") \
    X(TXT_NONE, L"Keine", L"None") \
    X(TXT_FILE, L"Datei", L"File") \
    X(TXT_COLOR_BOTTOM_TEXT1, L"Farbe Unten Text1", L"Color bottom text1") \
    X(TXT_COLOR_BOTTOM_BACK1, L"Farbe Unten Hintergrund1", L"Color bottom background1") \
    X(TXT_SET_DEFAULT_LAYERS, L"Standard Layers setzen", L"Set default layers") \
    X(TXT_REPORT_UNEXPECTED, L"Unerwartete Element melden", L"Report unexpected elements") \
    X(TXT_LISTVIEW, L"ListView", L"ListView") \
    X(TXT_COLOR_TOP_TEXT1, L"Farbe Oben Text1", L"Color top text1") \
    X(TXT_EXIT, L"Beenden", L"Exit") \
    X(TXT_LOAD_SELECTION, L"Auswahl laden", L"Load selection") \
    X(TXT_COLOR_TOP_TEXT2, L"Farbe Oben Text2", L"Color top text2") \
    X(TXT_DEFAULT_PRINTER, L"Standard Drucker", L"Default Printer") \
    X(TXT_ABOUT, L"\u00DCber ...", L"About ...") \
    X(TXT_SELECT_PRINTER, L"Drucker ausw\u00E4hlen", L"Select Printer") \
    X(TXT_LAST_USED, L"Zuletzt benutzt", L"Last used") \
    X(TXT_EMAIL, L"Email", L"Email") \
    X(TXT_HOMEPAGE, L"Homepage", L"Homepage") \
    X(TXT_SAVE_ON_EXIT, L"Ausgew\u00E4hlte Bauteile bei Prog Ende speichern", L"Save selections on prog exit") \
    X(TXT_LANGUAGE_SELECTION, L"Sprach Auswahl", L"Language Selection") \
    X(TXT_NOTHING_TO_DELETE, L"Nichts zum L\u00F6schen ausgew\u00E4hlt", L"Nothing to delete selected") \
    X(TXT_CURRENT_SELECTION, L"Akt. Auswahl", L"Current selection") \
    X(TXT_SELECTED, L"Ausgew\u00E4hlt", L"Selected") \
    X(TXT_BOM_BUTTON, L"Bauteil-Liste", L"Bom") \
    X(TXT_CLOSE, L"Schlie\u00DFen", L"Close") \
    X(TXT_TEXT_SAMPLE, L"Tindral Text Beispiel", L"Tindral text sample") \
    X(TXT_COLOR_BOTTOM_TEXT2, L"Farbe Unten Text2", L"Color bottom text2") \
    X(TXT_SIDE_BOTTOM, L"Unten", L"Bottom") \
    X(TXT_NO_DATA_FOR_FILE, L"F\u00FCr diese Datei liegen keine Daten vor!", L"For this file is no data available") \
    X(TXT_OPEN_DIALOG_TITLE, L"Auswahl der Eagle \"brd\" Datei \u00D6ffnen", L"Select Eagle \"brd\" file to open") \
    X(TXT_HELP_FILE, L"TindralHelpGer.chm", L"TindralHelpEng.chm") \
    X(TXT_PATH_TOO_LONG, L"Der Pfad/Dateiname ist zu lang", L"Path / filename too long") \
    X(TXT_NO_BOARD_LOADED, L"Kein Board geladen", L"No board loaded") \
    X(TXT_STATUS_TOP, L"Oben", L"TOP") \
    X(TXT_TITLE_INFO, L"Tindral Info", L"Tindral Info") \
    X(TXT_CROSSHAIR, L"Fadenkreuz", L"Crosshair") \
    X(TXT_SET_COLORS_DEFAULT, L"Farben auf Standard setzen", L"Set colors to default") \
    X(TXT_COLOR_TOP_BACK2, L"Farbe Oben Hintergrund2", L"Color top background2") \
    X(TXT_COPY_COLORS, L"Farben Auswahl Oben nach Unten kopieren", L"Copy selection colors top to bottom") \
    X(TXT_DOUBLE_CLICK_SELECT, L"Komponente mit Doppelklick ausw\u00E4hlen", L"Select element with a double click") \
    X(TXT_LOAD, L"Laden", L"Load") \
    X(TXT_SIDE_TOP, L"Oben", L"Top") \
    X(TXT_REMEMBER_WINDOW_POS, L"Letzte Fenster Positionen merken", L"Remember last window position") \
    X(TXT_PRINTER_SELECTION, L"Drucker Auswahl", L"Printer Selection") \
    X(TXT_SAVE_SELECTION, L"Auswahl speichern", L"Save selection") \
    X(TXT_COLOR_BOTTOM_BACK2, L"Farbe Unten Hintergrund2", L"Color bottom background2") \
    X(TXT_ERR_DOCUMENTPROPERTIES, L"Fehler bei \"DocumentProperties\"", L"Error at \"DocumentProperties\"") \
    X(TXT_PAGE, L"Seite", L"Page") \
    X(TXT_ERR_STARTPAGE, L"StartPage Fehler", L"StartPage Error") \
    X(TXT_ERR_PRINT_DIALOG, L"Drucker Dialog konnte nicht ge\u00F6ffnet werden\nDrucker Offline?", L"Couldn't open Printer Dialog\nPrinter offline?") \
    X(TXT_ERR_PAPER_SIZE, L"Papier Gr\u00F6\u00DFe kann nicht festgestellt werden", L"UNable to determine papersize") \
    X(TXT_ERR_OPENPRINTER, L"Fehler bei \"OpenPrinter\"", L"Error at \"OpenPrinter\"") \
    X(TXT_WINDOW_MIN_MAX, L"Dieses Fenster kann nur minimiert oder maximiert werden", L"This window can only be minimized or maximized") \
    X(TXT_TITLE_WARNING, L"Tindral Warnung", L"Tindral Warning") \
    X(TXT_UNDEFINED, L"Undefiniert", L"Undefined") \
    X(TXT_ERR_STARTDOC, L"StartDoc Fehler", L"StartDoc Error") \
    X(TXT_OUT_OF_MEMORY, L"Nicht gen\u00FCgend Speicher", L"Out of memory") \
    X(TXT_TITLE_ERROR, L"Tindral Fehler", L"Tindral Error") \
    X(TXT_ERR_CREATEDC, L"Fehler bei \"CreateDC\"", L"Error at \"CreateDC\"") \
    X(TXT_UNEXPECTED_ELEMENT, L"Unerwartetes Element", L"Unexpected element") \
    X(TXT_CONTINUE, L"Fortsetzen?", L"Continue?") \
    X(TXT_COMPONENT_LIST, L"Bauteil-Liste", L"Component list") \
    X(TXT_TOKEN_OUT_OF_MEMORY, L" Zu wenig Speicher", L"Out of memory") \
    X(TXT_UNSUPPORTED_VERSION, L" Nicht unterst\u00FCtzte Eagle Version", L" Unsupported Eagle version") \
    X(TXT_FILE_DAMAGED, L"Die Datei ist besch\u00E4digt oder unvollst\u00E4ndig (Zeile %d).\rDie Listen sind m\u00F6glicherweise unvollst\u00E4ndig.", L"The file is damaged or incomplete (line %d).\rThe lists may be incomplete.") \
    X(TXT_FILE_DAMAGED_NO_LINE, L"Die Datei ist besch\u00E4digt oder unvollst\u00E4ndig.\rDie Listen sind m\u00F6glicherweise unvollst\u00E4ndig.", L"The file is damaged or incomplete.\rThe lists may be incomplete.") \
    X(TXT_FILE_TOO_LARGE, L"Die Datei ist zu gro\u00DF f\u00FCr eine Eagle Platine (mehr als %d MB).", L"The file is too large for an Eagle board (more than %d MB).") \
    X(TXT_MORE_UNEXPECTED, L"%d weitere unerwartete Elemente nicht gezeigt", L"%d more unexpected items not shown") \
    X(TXT_RICHED20_NOT_FOUND, L"Riched20.dll not found", L"Riched20.dll not found") \
    X(TXT_TOOL_TOP, L"Top", L"Top") \
    X(TXT_TOOL_BOTTOM, L"Bottom", L"Bottom") \
    X(TXT_TOOL_REFRESH, L"Refresh", L"Refresh") \
    X(TXT_TOOL_PLUS, L"Plus", L"Plus") \
    X(TXT_TOOL_MINUS, L"Minus", L"Minus") \
    X(TXT_TOOL_FIT, L"Fit", L"Fit") \
    X(TXT_TOOL_TO_FRONT, L"Bring to front", L"Bring to front") \
    X(TXT_CELL_TOP, L"Top", L"Top") \
    X(TXT_CELL_BOTTOM, L"Bottom", L"Bottom") \
    X(TXT_SELECTION_NAME_IMPOSSIBLE, L"Aus diesem Pfad kann kein Name f\u00FCr die Auswahl Datei gebildet werden (Pfad zu kurz oder zu lang):\n%s", L"No selection file name can be made from this path (too short or too long):\n%s") \
    X(TXT_LOAD_SAVED_MARKS, L"F\u00FCr dieses Board gibt es gespeicherte Markierungen. Laden?", L"There are saved marks for this board. Load them?") \
    X(TXT_MARKS_DO_NOT_FIT, L"Die gespeicherten Markierungen passen nicht zu diesem Board (es wurde ge\u00E4ndert). Sie werden nicht geladen, die Datei bleibt unver\u00E4ndert:\n%s", L"The saved marks do not fit this board (it has been changed). They are not loaded and the file is left as it is:\n%s") \
    X(TXT_REPLACE_SAVED_MARKS, L"Diese Datei enth\u00E4lt Markierungen, die nicht geladen wurden. Ersetzen?\n%s", L"This file holds marks that were not loaded. Replace them?\n%s") \
    X(TXT_SAVE_CHANGED_MARKS, L"Die Markierungen wurden seit dem letzten Speichern ge\u00E4ndert. Vorher speichern?", L"The marks have changed since they were last saved. Save them first?") \
    X(TXT_EXIT_WITHOUT_SAVING, L"Die Markierungen konnten nicht gespeichert werden. Ohne Speichern beenden?", L"The marks could not be saved. Exit without saving them?") \
    X(TXT_ABOUT_NOTICE, L"Hilfe zum Best\u00FCcken von Leiterplatten von Hand", L"Helps you fit the parts of a circuit board by hand") \
    X(TXT_ERR_ENDPAGE, L"EndPage Fehler", L"EndPage Error") \
    X(TXT_ERR_ENDDOC, L"EndDoc Fehler", L"EndDoc Error") \
    X(TXT_ARCHIVE_DAMAGED, L"Das Archiv ist besch\u00E4digt; die Platine darin l\u00E4sst sich nicht lesen.", L"The archive is damaged; the board in it cannot be read.") \
    X(TXT_ARCHIVE_NO_BOARD, L"Das Archiv enth\u00E4lt keine Platine (.brd).", L"The archive holds no board (.brd).") \
    X(TXT_ARCHIVE_SEVERAL_BOARDS, L"Das Archiv enth\u00E4lt mehr als eine Platine (.brd); welche gemeint ist, bleibt offen.", L"The archive holds more than one board (.brd); which one is meant is not clear.") \
    X(TXT_ARCHIVE_ENCRYPTED, L"Die Platine im Archiv ist verschl\u00FCsselt.", L"The board in the archive is encrypted.") \
    X(TXT_ARCHIVE_METHOD, L"Die Platine im Archiv ist mit einem unbekannten Verfahren gepackt.", L"The board in the archive is packed with an unknown method.") \
    X(TXT_ARCHIVE_TOO_LARGE, L"Die Platine im Archiv ist zu gro\u00DF (mehr als %d MB).", L"The board in the archive is too large (more than %d MB).") \
    X(TXT_KICAD_LEGACY, L"Diese KiCad Platine stammt aus KiCad 4 oder \u00E4lter; Tindral liest KiCad 5 bis 9.", L"This KiCad board comes from KiCad 4 or older; Tindral reads KiCad 5 to 9.") \
    X(TXT_KICAD_VERSION, L"Diese KiCad Platine hat die Version %d; Tindral liest KiCad 5 bis 9 (Version 20171130 bis 2025).", L"This KiCad board has version %d; Tindral reads KiCad 5 to 9 (version 20171130 to 2025).") \
    X(TXT_KICAD_BRACKETS, L"Die KiCad Platine ist besch\u00E4digt: ihre Klammern passen nicht zusammen (Zeile %d).", L"The KiCad board is damaged: its brackets do not match (line %d).") \
    X(TXT_FIND, L"Suchen", L"Find") \
    X(TXT_PLACE_NEXT, L"Platziert + weiter", L"Placed + next") \
    X(TXT_PLACE_NEXT_END, L"Das war die letzte Zeile der Liste; alle Bauteile bis hier sind als platziert markiert.", L"That was the last row of the list; every part up to here is marked placed.") \
    X(TXT_EXPORT_LIST, L"Liste exportieren...", L"Export list...") \
    X(TXT_EXPORT_FILTER, L"Bauteil-Liste (CSV)|*.csv|St\u00FCckliste (CSV)|*.csv|", L"Component list (CSV)|*.csv|Bill of materials (CSV)|*.csv|") \
    X(TXT_EXPORT_FAILED, L"Die Liste konnte nicht geschrieben werden:\n%s", L"The list could not be written:\n%s") \
    X(TXT_KEEP_IN_VIEW, L"Aktuelles Bauteil im Blick behalten", L"Keep the current part in view") \
    X(TXT_PAD_COLOUR, L"Pads", L"Pads") \
    X(TXT_BOOKLET_MENU, L"Best\u00FCckungsheft drucken...", L"Print booklet...") \
    X(TXT_BOOKLET_WINDOW, L"Best\u00FCckungsheft", L"Assembly booklet") \
    X(TXT_BOOKLET_GROUP, L"Gruppe %d von %d", L"Group %d of %d") \
    X(TXT_BOOKLET_CONTINUED, L"(Fortsetzung)", L"(continued)") \
    X(TXT_BOOKLET_PREVIOUS, L"< Zur\u00FCck", L"< Previous") \
    X(TXT_BOOKLET_NEXT, L"Weiter >", L"Next >") \
    X(TXT_BOOKLET_NO_PARTS, L"Auf den gezeigten Seiten der Platine sind keine Bauteile.", L"There are no parts on the sides of the board shown.") \
    X(TXT_VARIANT_LABEL, L"Variante", L"Variant")

enum TextKey : int {
#define TINDRAL_LANG_KEY(key, de, en) key,
    TINDRAL_LANG_TABLE(TINDRAL_LANG_KEY)
#undef TINDRAL_LANG_KEY
    TXT_COUNT
};

// The pair behind a key.
const LangText& lang_pair(TextKey key);

// The language the texts follow: the "Language" value of the program's settings, read at each
// call. The one process-wide switch of the text layer; nullptr means English. Returns the
// previous source.
const uint32_t* set_language_source(const uint32_t* language);

// The texts follow language for as long as this lives, then what they followed before.
class LanguageSource {
public:
    explicit LanguageSource(const uint32_t* language) : previous_(set_language_source(language)) {}
    ~LanguageSource() { set_language_source(previous_); }
    LanguageSource(const LanguageSource&) = delete;
    LanguageSource& operator=(const LanguageSource&) = delete;

private:
    const uint32_t* previous_;
};

// The text of a pair for the current language: 0 is German, anything else English.
const wchar_t* text(TextKey key);
const wchar_t* text(const LangText& pair);

// The key's name as written in the code ("TXT_LOAD"), for diagnostics and tests.
const char* text_key_name(TextKey key);

}  // namespace tindral
