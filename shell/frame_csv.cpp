// The File menu's Import CSV and Export CSV.

#include "document/csv_table.h"
#include "document/document_commands.h"
#include "graph/table_graph.h"
#include "shell/main_frame.h"
#include "shell/picture_files.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <optional>
#include <span>

namespace ovilan {

namespace {

    // The whole file, or one byte more than a file of measurements may have, which the reader
    // then refuses; nothing when the file cannot be read (gone, a folder, no permission).
    std::optional<QByteArray> readMeasurements(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        QByteArray bytes = file.read(static_cast<qint64>(kMaxCsvFileBytes) + 1);
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        return bytes;
    }

} // namespace

void CMainFrame::importCsv()
{
    const auto path = ui_.csvFileName(openFolder());
    if (!path)
        return;
    const std::optional<QByteArray> bytes = readMeasurements(*path);
    if (!bytes) {
        ui_.showMessage(
            QStringLiteral("Can't read the file %1.").arg(QDir::toNativeSeparators(*path)));
        return;
    }
    const CsvReading reading = readCsvTable(
        std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
    if (!reading.table) {
        ui_.showMessage(reading.refusal.message);
        return;
    }
    if (!ui_.askCsvImport(QFileInfo(*path).fileName(), *reading.table))
        return;
    // A longer file was offered as its first rows in the preview; the rest are not imported.
    auto graph = std::make_unique<CTableGraph>(document_);
    fillImportedTableGraph(*graph, *reading.table, static_cast<std::size_t>(kTableRows));
    addImportedTableGraph(document_, ui_, std::move(graph));
}

void CMainFrame::exportCsv()
{
    if (document_.graphCount() == 0) {
        ui_.showMessage(QStringLiteral("There are no graphs to export."));
        return;
    }
    const std::int32_t selected = document_.currentGraph;
    const bool graphSelected = selected >= 0 && selected < document_.graphCount();
    const auto scope = ui_.askCsvExport(graphSelected);
    if (!scope)
        return;
    const QString suggestion = path_.isEmpty() ? QStringLiteral("Untitled.csv")
                                               : QFileInfo(path_).absolutePath() + u'/'
            + QFileInfo(path_).completeBaseName() + QStringLiteral(".csv");
    const auto path = ui_.csvSaveFileName(suggestion);
    if (!path)
        return;
    std::string text;
    if (*scope == CsvExportScope::AllGraphs || !graphSelected)
        text = csvOfTracedPoints(document_);
    else if (const CGraph& graph = document_.graph(selected); graph.kind == GraphKind::Table)
        text = csvOfTableGraph(static_cast<const CTableGraph&>(graph));
    else
        text = csvOfTracedPoints(document_, selected);
    if (!writeWholeFile(*path, QByteArray(text.data(), static_cast<qsizetype>(text.size()))))
        ui_.showMessage(QStringLiteral("An error has occured while saving."));
}

} // namespace ovilan
