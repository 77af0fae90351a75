#pragma once

#include <string_view>

namespace ovilan {

// The per-user settings of the program: integers by section and value name.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual int readInt(std::string_view section, std::string_view name, int fallback) const = 0;
    virtual void writeInt(std::string_view section, std::string_view name, int value) = 0;
};

} // namespace ovilan
