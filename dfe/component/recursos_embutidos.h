#pragma once

#include <optional>
#include <string_view>

// The data resources built into the program (files of the repository
// embedded by the build, see cmake/embed_resource.cmake), found by name
// without regard to case. Implemented in recursos_embutidos.cpp.

// The bytes of the resource; nullopt when the program carries none of that name.
std::optional<std::string_view> recursoEmbutido(std::string_view nome);
