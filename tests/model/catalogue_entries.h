#pragma once

#include <iterator>

namespace z7::test {

// The 97 entries of the catalogue in tree order: caption, the code the editor
// hands to the store (the level code of a house, 15 for a building) and the
// line of the built-in texts that the caption finds.
struct CatalogueEntry
{
    const char16_t *caption;
    int code;
    int line;
};

inline constexpr CatalogueEntry CatalogueEntries[] = {
    {u"Kleines Zelt", 100, 132}, {u"Grosses Zelt", 110, 133},
    {u"Kleine Hütte", 120, 134}, {u"Grosse Hütte", 130, 135},
    {u"Kleines Haus", 140, 136}, {u"Grosses Haus", 150, 137},
    {u"Kleine Casa", 160, 138}, {u"Grosse Casa", 170, 139},
    {u"Kleines Insulae", 180, 140}, {u"Mittleres Insulae", 190, 141},
    {u"Grosses Insulae", 200, 142}, {u"Herrschaftliches Insulae", 210, 143},
    {u"Kleine Villa", 220, 144}, {u"Mittlere Villa", 230, 145},
    {u"Grosse Villa", 240, 146}, {u"Herrschaftliche Villa", 250, 147},
    {u"Kleiner Palast", 260, 148}, {u"Mittlerer Palast", 270, 149},
    {u"Grosser Palast", 280, 150}, {u"Luxus Palast", 290, 151},
    {u"Ziehbrunnen", 15, 93}, {u"Brunnen", 15, 92},
    {u"Reservoir", 15, 91}, {u"Aquädukt", 15, 9},
    {u"Arzt", 15, 47}, {u"Krankenhaus", 15, 48},
    {u"Badehaus", 15, 49}, {u"Barbier", 15, 50},
    {u"Kleiner Cerestempel", 15, 61}, {u"Kleiner Neptuntempel", 15, 62},
    {u"Kleiner Merkurtempel", 15, 63}, {u"Kleiner Marstempel", 15, 64},
    {u"Kleiner Venustempel", 15, 65}, {u"Grosser Cerestempel", 15, 66},
    {u"Grosser Neptuntempel", 15, 67}, {u"Grosser Merkurtempel", 15, 68},
    {u"Grosser Marstempel", 15, 69}, {u"Grosser Venustempel", 15, 70},
    {u"Orakel", 15, 99}, {u"Schule", 15, 52},
    {u"Akademie", 15, 53}, {u"Bibliothek", 15, 54},
    {u"Missionsposten", 15, 81}, {u"Amphitheater", 15, 31},
    {u"Theater", 15, 32}, {u"Hippodrom", 15, 33},
    {u"Kolosseum", 15, 34}, {u"Gladiatorenschule", 15, 35},
    {u"Löwenhaus", 15, 36}, {u"Künstlerkolonie", 15, 37},
    {u"Wagenlenkerschule", 15, 38}, {u"Planieren", 15, 10},
    {u"Strasse", 15, 6}, {u"Forum", 15, 87},
    {u"Senat", 15, 86}, {u"Haus des Gouverneurs", 15, 78},
    {u"Villa des Gouverneurs", 15, 79}, {u"Palast des Gouverneurs", 15, 80},
    {u"Triumphbogen", 15, 57}, {u"Kleine Statue", 15, 42},
    {u"Mittlere Statue", 15, 43}, {u"Grosse Statue", 15, 44},
    {u"Platz", 15, 39}, {u"Gärten", 15, 40},
    {u"Ingenieursposten", 15, 82}, {u"Niedrige Brücke", 15, 83},
    {u"Schiffsbrücke", 15, 84}, {u"Werft", 15, 75},
    {u"Dock", 15, 76}, {u"Kai", 15, 77},
    {u"Mauer", 15, 7}, {u"Turm", 15, 60},
    {u"Wachzimmer", 15, 59}, {u"Präfektur", 15, 56},
    {u"Legionäre", 15, 41}, {u"Hilfstruppen-Wurfspeer", 15, 45},
    {u"Hilfstruppen-Beritten", 15, 46}, {u"Militärakademie", 15, 95},
    {u"Kaserne", 15, 96}, {u"Weizenfarm", 15, 101},
    {u"Gemüsefarm", 15, 102}, {u"Obstfarm", 15, 103},
    {u"Olivenfarm", 15, 104}, {u"Weinberg", 15, 105},
    {u"Schweinefarm", 15, 106}, {u"Marmorsteinbruch", 15, 107},
    {u"Eisenmine", 15, 108}, {u"Sägewerk", 15, 109},
    {u"Tongrube", 15, 110}, {u"Weinkeller", 15, 111},
    {u"Ölmühle", 15, 112}, {u"Waffenschmiede", 15, 113},
    {u"Möbelwerkstatt", 15, 114}, {u"Töpferei", 15, 115},
    {u"Markt", 15, 71}, {u"Silo", 15, 72},
    {u"Lagerhaus", 15, 73},
};
static_assert(std::size(CatalogueEntries) == 97);

} // namespace z7::test
