// The window's parts by their design names, and their kinds, expanded from
// the one list in engine/parts.h. Their rows are in design/design.h.
#pragma once

#include "engine/parts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorlen::design {

// Every panel, control and timer of the window, under its design name
// (engine/parts.h). A front end keeps its widgets in an array indexed by
// these, and the window model its state; a misspelt part does not compile.
// NOLINTBEGIN(readability-identifier-naming): the design's names
enum class Part : std::uint8_t {
#define VORLEN_PART(name, kind) name,
    VORLEN_PARTS(VORLEN_PART)
#undef VORLEN_PART
};
// NOLINTEND(readability-identifier-naming)

using Kind = PartKind;

// The design names and kinds, in the order of Part.
inline constexpr std::array partNames{
#define VORLEN_PART(name, kind) std::string_view(#name),
    VORLEN_PARTS(VORLEN_PART)
#undef VORLEN_PART
};
inline constexpr std::array partKinds{
#define VORLEN_PART(name, kind) Kind::kind,
    VORLEN_PARTS(VORLEN_PART)
#undef VORLEN_PART
};

inline constexpr std::size_t partCount = partNames.size();

constexpr std::size_t index(Part part)
{
    return static_cast<std::size_t>(part);
}

constexpr std::string_view name(Part part)
{
    return partNames[index(part)];
}

} // namespace vorlen::design
