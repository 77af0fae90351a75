#pragma once

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

namespace ovilan::cli {

// A command-line argument that is a number of the type and nothing else ("12", not "12x"),
// read without the locale; nothing otherwise.
template <typename Number> std::optional<Number> readArgumentNumber(std::string_view text)
{
    Number value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace ovilan::cli
