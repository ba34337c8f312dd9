#include "sim/DemoCatalog.h"

namespace tuvako::sim {

const std::vector<SampleMember>& DemoCatalog::Members() {
    // Texts are code page 1252: "\xE4" is a-umlaut, "\xF6" o-umlaut.
    static const std::vector<SampleMember> members = {
        {"4711", "K1?A@55#", "9001234500017", "0", "T9", "Aino Virtanen", "Kausikortti", "1",
         "31.12.2026", "", "", "V-88", "Aino"},
        {"4712", "K2@31#", "9001234500024", "0", "",
         "Pekka M\xE4"
         "kinen",
         "Sarjakortti", "2", "30.06.2026", "7", "", "V-89", "Pekka"},
        {"4713", "K3", "9001234500031", "0", "T12", "Liisa Korhonen", "10 kerran kortti", "2", "",
         "3", "", "V-90", "Liisa"},
        {"4714", "K4?B", "9001234500048", "1", "", "Juha Nieminen", "Arvokortti", "3", "", "",
         "12,50", "V-91", "Juha"},
        {"4715", "K5@7#", "9001234500055", "0", "", "Matti Heikkinen", "Vierailija", "0", "", "",
         "", "", "Matti"},
    };
    return members;
}

const std::vector<SampleChoice>& DemoCatalog::Choices() {
    static const std::vector<SampleChoice> choices = {
        {"Tuote", "V12", "", {"Kuntosali"}},
        {"Tuote",
         "V20",
         "A",
         {"Ryhm\xE4"
          "liikunta"}},
        {"Paikka",
         "P3",
         "",
         {"Uintirata 3",
          "ei n\xE4"
          "y"}},
        {"Tuote", "V31", "B", {"Hieronta", "30 min", "klo 17.00", "Sali 2", "Varaus"}},
        {"Tuote", "V40", "", {"Sauna"}},
    };
    return choices;
}

}  // namespace tuvako::sim
