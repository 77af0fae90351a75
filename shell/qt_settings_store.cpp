#include "shell/qt_settings_store.h"

namespace ovilan {

namespace {

    QString key(std::string_view section, std::string_view name)
    {
        return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()))
            + QLatin1Char('/')
            + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }

} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QStringLiteral("Quenbrix"), QStringLiteral("Ovilan"))
{
}

int QtSettingsStore::readInt(std::string_view section, std::string_view name, int fallback) const
{
    bool number = false;
    const int value = settings_.value(key(section, name), fallback).toInt(&number);
    return number ? value : fallback;
}

void QtSettingsStore::writeInt(std::string_view section, std::string_view name, int value)
{
    settings_.setValue(key(section, name), value);
}

} // namespace ovilan
