#pragma once
// Columns of the main and found-components lists, titled in the current language.

namespace tindral {

// The main list's eleven columns and its list-view styles; called again when the language
// changes.
void set_list_columns();

// The found-components list's five columns and its list-view styles.
void set_found_columns();

// The BOM list's four columns and its list-view styles.
void set_bom_columns();

}  // namespace tindral
