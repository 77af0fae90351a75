#include "document/preferences.h"

namespace ovilan {

namespace {
    constexpr std::string_view kSection = "Environment";
    constexpr std::string_view kAutoChangeSteps = "ACS";
    constexpr std::string_view kPersistentCursor = "PersistCur";
} // namespace

AppPreferences readPreferences(const SettingsStore& store)
{
    AppPreferences preferences;
    preferences.autoChangeSteps = store.readInt(kSection, kAutoChangeSteps, 1);
    preferences.persistentCursor = store.readInt(kSection, kPersistentCursor, 0);
    return preferences;
}

void writePreferences(SettingsStore& store, const AppPreferences& preferences)
{
    store.writeInt(kSection, kAutoChangeSteps, preferences.autoChangeSteps);
    store.writeInt(kSection, kPersistentCursor, preferences.persistentCursor);
}

} // namespace ovilan
