#pragma once
// Windows only: the engine's UTF-8 text to and from the system's UTF-16, and its known folders.

#include <string>
#include <string_view>

struct _GUID; // the system's GUID, as <windows.h> names it

namespace tarvek {

// Malformed sequences become U+FFFD.
std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

// The path of one of the system's known folders (a FOLDERID_ of the known-folder API), in the
// system's own spelling and language; empty when the system has no such folder.
std::wstring knownFolderPath(const _GUID& folderId);

} // namespace tarvek
