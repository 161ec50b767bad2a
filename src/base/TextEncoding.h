#pragma once
// The encoding of a player's text file, and its text as the user sees it or edits it.

#include <optional>
#include <string>
#include <string_view>

namespace tarvek {

// How a text file of a player (an import file, a price list) is encoded. The engine works on
// the file's bytes either way: keys, numbers and separators are ASCII in both encodings. Only
// the texts shown to the user are decoded, with the encoding of their file.
enum class TextEncoding
{
    Windows1252, // one byte is one character, as the game writes its files
    Utf8,        // valid UTF-8 holding non-ASCII bytes, without byte-order mark
    Utf8WithBom, // begins with the UTF-8 byte-order mark (held apart, see withoutBom)
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The encoding of a file's bytes: a UTF-8 byte-order mark, or UTF-8 that is valid and holds at
// least one non-ASCII byte, is UTF-8; anything else Windows-1252. UTF-16 is refused before (see
// encodingRefusal).
TextEncoding detectTextEncoding(std::string_view bytes);

// The bytes without a leading UTF-8 byte-order mark.
std::string_view withoutBom(std::string_view bytes);

// Why a file's bytes are not read as text: UTF-16 (a byte-order mark FF FE or FE FF, or the NUL
// in every other byte that UTF-16 makes of Latin text). The German reason, which tells what to do;
// nothing for text in an encoding the program reads.
std::optional<std::string> encodingRefusal(std::string_view bytes);

// A piece of a file as the user sees it, in UTF-8: decoded with its file's encoding (malformed
// UTF-8 becomes U+FFFD) and every control character made visible, so that no Escape or other
// control from a stranger's file reaches a list, a message, a document or a terminal: C0 controls
// and DEL become their control pictures (U+2400..U+2421), C1 controls U+FFFD. So do the marks and
// controls of the writing direction (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069),
// which could turn round what follows them, and the line and paragraph separators (U+2028,
// U+2029).
std::string displayText(std::string_view bytes, TextEncoding encoding);

// Editor round trip: the bytes of a file as editable UTF-8 text (Windows-1252 maps every byte to
// one character and back; UTF-8 stays as it is, malformed sequences become U+FFFD), and text back
// into the file's encoding. Characters Windows-1252 lacks become '?' and clear *allMapped.
std::string editableText(std::string_view bytes, TextEncoding encoding);
std::string encodedText(std::string_view utf8, TextEncoding encoding, bool* allMapped = nullptr);

} // namespace tarvek
