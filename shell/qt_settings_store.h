#pragma once

#include "document/settings_store.h"

#include <QSettings>

namespace ovilan {

// The per-user settings of the program under "Quenbrix" / "Ovilan": the registry on Windows, an
// INI file elsewhere.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    int readInt(std::string_view section, std::string_view name, int fallback) const override;
    void writeInt(std::string_view section, std::string_view name, int value) override;
    QSettings& settings() { return settings_; }

private:
    mutable QSettings settings_;
};

} // namespace ovilan
