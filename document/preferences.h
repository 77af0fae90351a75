#pragma once

#include "document/settings_store.h"

#include <cstdint>

namespace ovilan {

// The two preferences that outlive a run.
struct AppPreferences {
    // "Automatically change steps": tick, label and grid steps follow a change of the ranges.
    std::int32_t autoChangeSteps = 1;
    // "Persistent cursor": the add-label and select-interval modes stay after one use.
    std::int32_t persistentCursor = 0;
};

AppPreferences readPreferences(const SettingsStore& store);
// Writes both, changed or not, as the program does at exit.
void writePreferences(SettingsStore& store, const AppPreferences& preferences);

} // namespace ovilan
