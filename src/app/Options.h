#pragma once

#include <QString>

// The options of Optionen.txt: every key the program reads or writes, with the type of its value.
// Nothing outside this table spells a key. OptionsFile reads and writes them by these constants.

// One key of the options file whose value has type T: QString (the text as the file holds it,
// empty when no line has the key), bool (a switch) or Mark (a note that something was done once).
template <typename T> struct SettingKey
{
    const char* name;
};

// A switch is written "true" or "false". It reads as `fallback` unless the file holds exactly the
// word for the other value: a missing key, an empty value or any other text is the fallback.
template <> struct SettingKey<bool>
{
    const char* name;
    bool fallback;
};

// A mark is written "true" and counts as set by any text at all.
struct Mark
{};

namespace Options {

inline constexpr SettingKey<QString> Importpfad{"Importpfad"};
inline constexpr SettingKey<bool> Download{"Download", true}; // the price list check at start
inline constexpr SettingKey<QString> Clientpfad{"Clientpfad"};
inline constexpr SettingKey<QString> Server{"Server"};
inline constexpr SettingKey<QString> Stapelordner{"Stapelordner"};
// The window's normal place, "left,top,width,height", and whether it was maximised.
inline constexpr SettingKey<QString> Fenster{"Fenster"};
inline constexpr SettingKey<bool> FensterMaximiert{"Fenster maximiert", false};
// The unwritable program folder that the user has been told of.
inline constexpr SettingKey<QString> HinweisProgrammordner{"Hinweis Programmordner"};
// The import of a price list has been offered to a new user.
inline constexpr SettingKey<Mark> PreislisteAngeboten{"PreislisteAngeboten"};

} // namespace Options
