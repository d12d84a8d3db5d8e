#pragma once
// SHA-1, for what Anki derives from it: a note's checksum of its first field and, here, stable
// guids. Not for anything that needs to resist an attacker.

#include <array>
#include <cstdint>
#include <string_view>

namespace zembo {

using Sha1Digest = std::array<std::uint8_t, 20>;

Sha1Digest sha1(std::string_view bytes);

}  // namespace zembo
