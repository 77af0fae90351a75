#include "shell/window_model_checks.h"

#include "document/document_file.h"
#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "view/picture_export.h"
#include "view/plot_view.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTreeWidget>

#include <cstdio>

namespace ovilan::testing {

namespace {

    std::string hex(QRgb color)
    {
        char text[8];
        std::snprintf(text, sizeof text, "#%06x", color & 0xffffffu);
        return text;
    }

    std::string rectText(const QRect& area)
    {
        return std::to_string(area.left()) + "," + std::to_string(area.top()) + " - "
            + std::to_string(area.right()) + "," + std::to_string(area.bottom());
    }

    std::string differences(const QImage& shown, const QImage& drawn)
    {
        QRect differing;
        int count = 0;
        std::string first;
        for (int y = 0; y < shown.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            for (int x = 0; x < shown.width(); ++x) {
                if ((a[x] & 0xffffffu) == (b[x] & 0xffffffu))
                    continue;
                if (count++ == 0)
                    first = " first at (" + std::to_string(x) + "," + std::to_string(y)
                        + "): shown " + hex(a[x]) + ", drawn " + hex(b[x]);
                differing |= QRect(x, y, 1, 1);
            }
        }
        if (count == 0)
            return {};
        return std::to_string(count) + " pixels differ within " + rectText(differing) + ";" + first;
    }

    std::string boolText(bool value) { return value ? "true" : "false"; }

} // namespace

void settle()
{
    for (int round = 0; round < 3; ++round) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

std::vector<std::string> checkPlotPixels(ModelWindow& window)
{
    COvilanView* view = window.frame.plotView();
    const QImage shown = view->snapshot().convertToFormat(QImage::Format_RGB32);
    if (shown.isNull())
        return { "the plot view has painted nothing" };
    const QImage drawn = renderPictureImage(window.document, shown.width(), shown.height());
    const std::string found = differences(shown, drawn);
    if (found.empty())
        return {};
    return { "the plot view differs from a full drawing of the document at "
        + std::to_string(shown.width()) + "x" + std::to_string(shown.height()) + ": " + found };
}

std::vector<std::string> checkGraphList(ModelWindow& window)
{
    auto* list = qobject_cast<CGraphListView*>(window.frame.centralWidget());
    if (!list)
        return {};
    std::vector<std::string> found;
    QTreeWidget* tree = list->leftView()->tree();
    COvilanDoc& document = window.document;
    if (tree->topLevelItemCount() != document.graphCount())
        found.push_back("the graph list has " + std::to_string(tree->topLevelItemCount())
            + " items for " + std::to_string(document.graphCount()) + " graphs");
    const int common = std::min(tree->topLevelItemCount(), document.graphCount());
    for (int i = 0; i < common; ++i) {
        const QTreeWidgetItem* item = tree->topLevelItem(i);
        const CGraph& graph = document.graph(i);
        if (item->text(0).toStdString() != graph.describe())
            found.push_back("graph list item " + std::to_string(i) + " reads '"
                + item->text(0).toStdString() + "' for '" + graph.describe() + "'");
        if ((item->checkState(0) == Qt::Checked) != (graph.showGraph != 0))
            found.push_back("graph list item " + std::to_string(i) + " is "
                + (graph.showGraph ? "unchecked" : "checked") + " while the graph is "
                + (graph.showGraph ? "shown" : "hidden"));
    }
    const int current = document.currentGraph;
    if (current >= 0 && current < common && !tree->topLevelItem(current)->isSelected())
        found.push_back("graph " + std::to_string(current)
            + " is the selected graph, but its item in the list is not selected");
    return found;
}

std::vector<std::string> checkCommandsAndTitle(ModelWindow& window)
{
    std::vector<std::string> found;
    const COvilanDoc& document = window.document;
    const auto expectEnabled = [&](CommandId id, bool wanted, const char* name) {
        const bool enabled = window.frame.action(id)->isEnabled();
        if (enabled != wanted)
            found.push_back(std::string(name) + " is " + (enabled ? "enabled" : "disabled")
                + " with "
                + std::to_string(id == CommandId::EditRedo ? document.redoStack.size()
                                                           : document.undoStack.size())
                + " steps to " + (id == CommandId::EditRedo ? "redo" : "undo"));
    };
    expectEnabled(CommandId::EditUndo, document.canUndo(), "Undo");
    expectEnabled(CommandId::EditRedo, document.canRedo(), "Redo");
    const bool selected = document.currentGraph >= 0;
    for (const auto& [id, name] : { std::pair { CommandId::EditGraph, "Edit graph" },
             { CommandId::RemoveGraph, "Remove graph" } })
        if (window.frame.action(id)->isEnabled() != selected)
            found.push_back(std::string(name) + " is enabled " + boolText(!selected)
                + " with the selected graph " + std::to_string(document.currentGraph));
    if (window.frame.isWindowModified() != document.isModified())
        found.push_back("the title's modified mark is " + boolText(window.frame.isWindowModified())
            + " while the document's modified flag is " + boolText(document.isModified()));
    const QString path = window.frame.documentPath();
    const QString name = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    const QString title = name + QStringLiteral("[*] - Ovilan");
    if (window.frame.windowTitle() != title)
        found.push_back("the title is '" + window.frame.windowTitle().toStdString() + "', not '"
            + title.toStdString() + "'");
    return found;
}

std::vector<std::string> checkSaveLoadRoundTrip(ModelWindow& window)
{
    const std::vector<std::uint8_t> written = writeDocument(window.document);
    COvilanDoc reread(window.preferences);
    if (!loadDocument(reread, written))
        return { "the document as written does not load: Unexpected file format." };
    if (writeDocument(reread) != written)
        return { "the document loaded from its own bytes writes other bytes" };
    return {};
}

} // namespace ovilan::testing
