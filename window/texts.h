// The program's texts, UTF-8 throughout, as Qt holds them.
#pragma once

#include <QString>

#include <string_view>

namespace vorlen {

inline QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vorlen
