#pragma once

#include <string>
#include <string_view>

// Folder texts of the component settings, which may be stored Windows paths
// ("C:\NFe\Docs"): separators are added in the path's own style, and folders
// are created through the path mapping. Implemented in pastas.cpp.

namespace pastas {

std::string semBrancos(std::string_view pasta);
// Trimmed, ending in "\" for a Windows path (drive letter or "\\server")
// and "/" otherwise; an empty text stays empty.
std::string comSeparadorFinal(std::string_view pasta);
// The path with the sub-folder appended after a separator.
std::string juntar(std::string_view pasta, std::string_view subpasta);
// Creates the folder and its parents when missing (FileWriteError on failure).
void garantirPasta(std::string_view pasta);

} // namespace pastas
