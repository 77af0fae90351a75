#pragma once

#include "document/document_file.h"
#include "document/ovilan_doc.h"
#include "document/preferences.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>
#include <span>

namespace ovilan::testing {

// One of the example documents shipped with the program, loaded.
struct Example {
    explicit Example(const QString& name)
    {
        QFile file(QStringLiteral(OVILAN_EXAMPLES "/") + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(loadDocument(document,
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                static_cast<std::size_t>(bytes.size()))));
    }
    AppPreferences preferences;
    COvilanDoc document { preferences };
};

inline QStringList exampleNames()
{
    return QDir(QStringLiteral(OVILAN_EXAMPLES)).entryList({ QStringLiteral("*.ovd") });
}

} // namespace ovilan::testing
