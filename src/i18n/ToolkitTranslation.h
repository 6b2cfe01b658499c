#pragma once
// The toolkit's own texts (file, folder and print dialogs, message-box buttons) in the
// program's language, from the distribution's toolkit translations (qtbase_<language>.qm).

// Replaces the toolkit translation in force by the one of the language; a language the
// toolkit has no translation for leaves its built-in English.
void UseToolkitTranslation(int langId);
