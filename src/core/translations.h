#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

// The program's texts are written in English, but a text that counts something ("1 channel", "2 channels")
// has one source for every count: its English singular and plural forms come from a translation built
// into the program. Installed once per application object, before any such text is made; a translation of
// another language installed later is looked up first.
namespace Translations {

// False when there is no application object yet or the translation cannot be read; the texts then show
// their source forms.
bool installEnglish();

} // namespace Translations

#endif
