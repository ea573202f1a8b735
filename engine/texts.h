// The program's own Turkish texts that the engine writes or compares. The
// comparisons are exact, so every blank and every letter here matters.
#pragma once

#include <array>
#include <string_view>

namespace vorlen::text {

inline constexpr std::string_view start = "Başla";
inline constexpr std::string_view stop = "Dur";
inline constexpr std::string_view allTables = "Tümü";
inline constexpr std::string_view sequential = "Sıralı";
inline constexpr std::string_view mixed = "Karışık";
inline constexpr std::string_view wrong = "!!! YANLIŞ !!!";
inline constexpr std::string_view correctAnswerPrefix = "DOĞRU CEVAP : ";
inline constexpr std::string_view ok = "Tamam";
inline constexpr std::string_view askingWay = "Sorma Şekli :";
inline constexpr std::string_view totalCaption = "Toplam soru sayısı : ";
inline constexpr std::string_view rightCaption = "Doğru sayısı : ";
inline constexpr std::string_view wrongCaption = "Yanlış sayısı : ";

// The single tables, "1 ler" for the table of 1 up to "10 lar"; the suffix
// follows vowel harmony, hence "lar" after 6, 9 and 10.
inline constexpr std::array<std::string_view, 10> tables = {
    "1 ler", "2 ler", "3 ler", "4 ler", "5 ler", "6 lar", "7 ler", "8 ler", "9 lar", "10 lar",
};

// The table list in its order: all tables first, then the ten single tables.
inline constexpr std::array<std::string_view, 11> tableList = {
    allTables, tables[0], tables[1], tables[2], tables[3], tables[4],
    tables[5], tables[6], tables[7], tables[8], tables[9],
};
inline constexpr std::array<std::string_view, 2> orderList = {sequential, mixed};

// The dedication under the score: three lines joined by carriage returns,
// with no line feed and none at the end.
inline constexpr std::string_view dedication = "Çarpım tablosunu öğrenen\r"
                                               "bütün çocuklara, sevgiyle\r"
                                               "armağan edilmiştir.";

} // namespace vorlen::text
