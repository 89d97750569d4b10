#pragma once

// The editor's own texts, in one place, filled with Format (model/text.h). The
// titles of its message boxes are the window's (ui/window_texts.h).
namespace z7::editor_texts {

// A yes/no toggle and its shipped value, in lower case as the panels show them.
inline constexpr char16_t Yes[] = u"ja";
inline constexpr char16_t No[] = u"nein";
// Heads of the value columns.
inline constexpr char16_t Current[] = u"aktuell";
inline constexpr char16_t Original[] = u"original";
// What a numeric row shows while no entry fills it, or while the layout hides it.
inline constexpr char16_t HiddenValue[] = u"0";

// The captions of the value rows (value_rows.h).
namespace captions {
inline constexpr char16_t Baukosten[] = u"Baukosten";
inline constexpr char16_t Steuern[] = u"Steuern";
inline constexpr char16_t Arbeiter[] = u"Arbeiter";
inline constexpr char16_t Bewohner[] = u"Bewohner";
inline constexpr char16_t Attraktivitaet[] = u"Attraktivität";
inline constexpr char16_t Reichweite[] = u"wirksame Reichweite";
inline constexpr char16_t Rueckentwicklung[] = u"Rückentwicklung";
inline constexpr char16_t Weiterentwicklung[] = u"Weiterentwicklung";
inline constexpr char16_t Unterhaltungslevel[] = u"Unterhaltungslevel";
inline constexpr char16_t Wasserqualitaet[] = u"Wasserqualität";
inline constexpr char16_t Religionszugang[] = u"Religionszugang";
inline constexpr char16_t Ausbildungszugang[] = u"Ausbildungszugang";
inline constexpr char16_t MedizinischeVersorgung[] = u"med. Versorgung";
inline constexpr char16_t Lebensmittelqualitaet[] = u"Lebensmittelqualität";
inline constexpr char16_t Weinqualitaet[] = u"Weinqualität";
inline constexpr char16_t Marktzugang[] = u"Marktzugang";
inline constexpr char16_t Barbierzugang[] = u"Barbierzugang";
inline constexpr char16_t Badehauszugang[] = u"Badehauszugang";
inline constexpr char16_t Geschirrzugang[] = u"Geschirrzugang";
inline constexpr char16_t Olivenoelzugang[] = u"Olivenölzugang";
inline constexpr char16_t Moebelzugang[] = u"Möbelzugang";
} // namespace captions

// What each row's value means, shown when the pointer rests on its edit or
// reference button.
namespace tips {
inline constexpr char16_t Baukosten[] =
    u"Was das Aufstellen kostet, in Denaren; beim Kleinen Zelt der Preis eines Wohngrundstücks";
inline constexpr char16_t Steuern[] = u"Steuern, die das Haus im Jahr zahlt, in Denaren";
inline constexpr char16_t Arbeiter[] =
    u"Wie viele Arbeiter das Gebäude braucht, um voll zu arbeiten";
inline constexpr char16_t Bewohner[] = u"Wie viele Menschen höchstens im Haus wohnen";
inline constexpr char16_t Attraktivitaet[] =
    u"Wie sehr der Bau seine Umgebung verschönert (positiv) oder verschandelt (negativ), direkt "
    u"neben sich";
inline constexpr char16_t Reichweite[] =
    u"Bis zu wie vielen Feldern Abstand die Attraktivität wirkt";
inline constexpr char16_t Rueckentwicklung[] =
    u"Sinkt die Attraktivität der Umgebung unter diesen Wert, fällt das Haus eine Stufe zurück";
inline constexpr char16_t Weiterentwicklung[] =
    u"Ab dieser Attraktivität der Umgebung steigt das Haus auf, wenn alles andere erfüllt ist";
inline constexpr char16_t Unterhaltungslevel[] =
    u"Wie viel Unterhaltung nötig ist (Theater, Amphitheater, Kolosseum, Hippodrom); 0 keine";
inline constexpr char16_t Wasserqualitaet[] = u"0 kein Wasser, 1 Ziehbrunnen, 2 Brunnen";
inline constexpr char16_t Religionszugang[] =
    u"0 keiner, 1 ein Tempel, 2 mehrere Götter, 3 alle Götter, 4 alle Götter und das Orakel";
inline constexpr char16_t Ausbildungszugang[] =
    u"0 keiner, 1 Schule, 2 Schule und Bibliothek, 3 auch Akademie";
inline constexpr char16_t MedizinischeVersorgung[] = u"0 keine, 1 Arzt, 2 Arzt und Krankenhaus";
inline constexpr char16_t Lebensmittelqualitaet[] =
    u"Wie viele verschiedene Lebensmittel das Haus braucht, 0 bis 3";
inline constexpr char16_t Weinqualitaet[] = u"0 kein Wein, 1 eine Sorte, 2 zwei Sorten";
inline constexpr char16_t Marktzugang[] = u"ja: Ein Markt muss das Haus beliefern";
inline constexpr char16_t Barbierzugang[] = u"ja: Ein Barbier muss erreichbar sein";
inline constexpr char16_t Badehauszugang[] = u"ja: Ein Badehaus muss erreichbar sein";
inline constexpr char16_t Geschirrzugang[] = u"ja: Das Haus braucht Töpferwaren";
inline constexpr char16_t Olivenoelzugang[] = u"ja: Das Haus braucht Olivenöl";
inline constexpr char16_t Moebelzugang[] = u"ja: Das Haus braucht Möbel";
} // namespace tips

// Names for screen readers; %1 is the row's caption.
inline constexpr char16_t Stepper[] = u"%1 schrittweise ändern";
inline constexpr char16_t ShippedValue[] = u"%1: ausgelieferter Wert";
inline constexpr char16_t ChangedMarker[] = u"%1: geändert";

// %1 the row's caption, %2 the text as typed.
inline constexpr char16_t InvalidValue[] =
    u"Ungültiger Wert für %1: \"%2\"\rErlaubt ist nur eine ganze Zahl, zum Beispiel 12 oder -3. "
    u"Es wurde nichts gespeichert.";

// %1 the entry's name.
inline constexpr char16_t EntryMissing[] =
    u"Der Eintrag \"%1\" fehlt in der Modelldatei.\rDie Modelldatei wurde von Hand verändert; "
    u"mit \"Gesamtreset\" lässt sie sich wiederherstellen.";

// %1 the entry's name.
inline constexpr char16_t ModelFileChanged[] =
    u"Die Modelldatei wurde seit dem letzten Lesen von einem anderen Programm geändert.\rSoll der "
    u"Eintrag \"%1\" in die geänderte Datei übernommen werden? Alle anderen Änderungen in der "
    u"Datei bleiben erhalten; hat das andere Programm auch \"%1\" geändert, gelten dafür die hier "
    u"angezeigten Werte.\rMit \"Nein\" wird nichts gespeichert, Ihre Eingaben bleiben stehen.";

// %1 the entry's name, %2 the model file's full path.
inline constexpr char16_t ModelFileMissing[] =
    u"Die Modelldatei %2 ist nicht mehr vorhanden; ein anderes Programm hat sie gelöscht oder "
    u"verschoben.\rSoll sie mit dem Eintrag \"%1\" und allen Werten, die Z7 Edit zuletzt gelesen "
    u"oder gespeichert hat, neu geschrieben werden?\rMit \"Nein\" wird nichts gespeichert, Ihre "
    u"Eingaben bleiben stehen.";

// %1 the entry's name.
inline constexpr char16_t EntryMissingAfterChange[] =
    u"Der Eintrag \"%1\" fehlt in der geänderten Modelldatei und wurde nicht gespeichert.\rIhre "
    u"Eingaben bleiben stehen; mit \"Gesamtreset\" lässt sich die ausgelieferte Modelldatei "
    u"wiederherstellen.";

} // namespace z7::editor_texts
