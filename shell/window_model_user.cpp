#include "shell/window_model_user.h"

#include "dialogs/doc_property_sheet.h"
#include "dialogs/edit_grid.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/label_dialog.h"
#include "dialogs/property_page.h"
#include "dialogs/table_graph_dialog.h"
#include "graph/function_graph.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

namespace ovilan::testing {

namespace {

    // Formulas by graph kind (Y(x), X(y), parametric, polar); a parametric graph takes two.
    const std::vector<std::vector<const char*>> kFormulas {
        { "x", "x^2/4", "3*sin(x)", "1/x", "sqrt(x)*2", "ln(x)", "x^3/20-x", "tg(x)" },
        { "y", "y^2/5", "4*cos(y)", "abs(y)-3" },
        { "3*cos(t)", "5*sin(3*t)", "t", "cos(t)^3*6" },
        { "2", "a/2", "6*sin(2*a)", "3+cos(a)" },
    };
    // Texts the formula check refuses.
    const std::vector<const char*> kBrokenFormulas { "sin(", "x+", "(x", "2**x", "q" };
    const std::vector<const char*> kCaptions {
        "", "A", "peak", "a longer caption", "zero here", "x=1"
    };

    template <typename Widget> Widget* field(QDialog& dialog, const char* name)
    {
        return child<Widget>(dialog, name);
    }

    // Chooses an entry the way a user does: the list focused, then the arrow keys.
    void chooseEntry(QComboBox* list, int index)
    {
        if (!list || !list->isEnabled())
            return;
        list->setFocus();
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > index)
            QTest::keyClick(list, Qt::Key_Up);
    }

    void type(QLineEdit* edit, const QString& text)
    {
        if (!edit || !edit->isEnabled())
            return;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void click(QAbstractButton* button)
    {
        if (button && button->isEnabled())
            button->click();
    }

    std::string quoted(const QString& text) { return "'" + text.toStdString() + "'"; }

} // namespace

void ScriptedModelUser::note(const std::string& text)
{
    if (!answers.empty())
        answers += ", ";
    answers += text;
}

void ScriptedModelUser::showMessage(std::string_view text)
{
    messages.emplace_back(text);
    note("message " + std::string(text));
}

bool ScriptedModelUser::askYesNo(std::string_view)
{
    const bool yes = dice_.chance(0.85);
    note(yes ? "Yes" : "No");
    return yes;
}

bool ScriptedModelUser::askConfirmation(std::string_view text) { return askYesNo(text); }

bool ScriptedModelUser::confirm(QDialog& dialog)
{
    const std::size_t before = services_.messages.shown.size();
    if (dice_.chance(0.08)) {
        dialog.reject();
        note("Cancel");
        return false;
    }
    dialog.accept();
    for (std::size_t i = before; i < services_.messages.shown.size(); ++i) {
        messages.push_back(services_.messages.shown[i].text.toStdString());
        note("refused: " + messages.back());
    }
    if (dialog.result() == QDialog::Accepted) {
        note("OK");
        return true;
    }
    dialog.reject();
    note("Cancel");
    return false;
}

std::unique_ptr<CFunctionGraph> ScriptedModelUser::runGraphDialog(
    COvilanDoc& document, const CFunctionGraph* graph)
{
    CGraphDlg dialog(document, graph, services_.services());
    showForTest(dialog);
    fillGraphDialog(dialog, graph != nullptr);
    if (!confirm(dialog))
        return nullptr;
    return dialog.takeGraph();
}

void ScriptedModelUser::fillGraphDialog(QDialog& dialog, bool editing)
{
    auto* kindList = field<QComboBox>(dialog, "kind");
    if (!editing || dice_.chance(0.3)) {
        chooseEntry(kindList, dice_.below(4));
        note("kind " + std::to_string(kindList->currentIndex()));
    }
    const auto& formulas = kFormulas[static_cast<std::size_t>(kindList->currentIndex())];
    if (!editing || dice_.chance(0.7)) {
        const QString formula = QString::fromLatin1(
            dice_.chance(0.06) ? dice_.pick(kBrokenFormulas) : dice_.pick(formulas));
        type(field<QLineEdit>(dialog, "formula"), formula);
        note("formula " + quoted(formula));
        if (kindList->currentIndex() == 2) {
            const QString second = QString::fromLatin1(dice_.pick(formulas));
            type(field<QLineEdit>(dialog, "formula2"), second);
            note("formula2 " + quoted(second));
        }
    }
    if (dice_.chance(0.4)) {
        chooseEntry(field<QComboBox>(dialog, "color"), dice_.below(16));
        note("color " + std::to_string(field<QComboBox>(dialog, "color")->currentIndex()));
    }
    if (dice_.chance(0.2)) {
        chooseEntry(field<QComboBox>(dialog, "width"), dice_.below(5));
        note("width");
    }
    if (dice_.chance(0.1)) {
        click(field<QCheckBox>(dialog, "showGraph"));
        note("Graph box");
    }
    if (dice_.chance(0.15)) {
        auto* parameters = field<QCheckBox>(dialog, "parameters");
        if (!parameters->isChecked())
            click(parameters);
        const QString steps = dice_.chance(0.1)
            ? QStringLiteral("0")
            : QString::number(dice_.pick<int>({ 20, 150, 900 }));
        type(field<QLineEdit>(dialog, "steps"), steps);
        note("steps " + quoted(steps));
    }
    if (dice_.chance(0.2)) {
        const QString legend = QStringLiteral("f%1").arg(dice_.below(100));
        type(field<QLineEdit>(dialog, "legendText"), legend);
        note("legend " + quoted(legend));
    }
}

bool ScriptedModelUser::runTableGraphDialog(COvilanDoc&, CTableGraph& graph)
{
    CTableGraphDlg dialog(graph, services_.services());
    showForTest(dialog);
    fillTableDialog(dialog);
    return confirm(dialog);
}

void ScriptedModelUser::fillTableDialog(QDialog& dialog)
{
    CEditGrid& grid = static_cast<CTableGraphDlg&>(dialog).grid();
    const int rows = dice_.below(7);
    const int first = dice_.below(3);
    std::string typed;
    for (int row = first; row < first + rows; ++row) {
        const QString x = dice_.chance(0.03) ? QStringLiteral("x")
                                             : QString::number(dice_.between(-12, 12) * 0.75);
        const QString y = QString::number(dice_.between(-12, 12) * 0.5);
        grid.setCellText(row, 0, x);
        grid.setCellText(row, 1, y);
        if (dice_.chance(0.3))
            grid.setCellText(row, 2, QStringLiteral("P%1").arg(row));
        typed += " (" + x.toStdString() + ";" + y.toStdString() + ")";
    }
    note("rows" + typed);
    if (dice_.chance(0.4)) {
        click(field<QCheckBox>(dialog, "showPoints"));
        note("Points box");
    }
    if (dice_.chance(0.3)) {
        chooseEntry(field<QComboBox>(dialog, "color"), dice_.below(16));
        note("color");
    }
}

bool ScriptedModelUser::runLabelDialog(COvilanDoc&, CPlotLabel& label)
{
    CLabelDlg dialog(label, false, services_.services());
    showForTest(dialog);
    fillLabelDialog(dialog);
    return confirm(dialog);
}

void ScriptedModelUser::fillLabelDialog(QDialog& dialog)
{
    if (dice_.chance(0.7)) {
        const QString caption = QString::fromLatin1(dice_.pick(kCaptions));
        type(field<QLineEdit>(dialog, "caption"), caption);
        note("caption " + quoted(caption));
    }
    if (dice_.chance(0.3)) {
        const QString radius
            = dice_.chance(0.1) ? QStringLiteral("99") : QString::number(dice_.between(1, 9));
        type(field<QLineEdit>(dialog, "radius"), radius);
        note("radius " + quoted(radius));
    }
    for (const char* box : { "labelBorder", "labelTransparent", "pointTransparent" })
        if (dice_.chance(0.15)) {
            click(field<QCheckBox>(dialog, box));
            note(box);
        }
    if (dice_.chance(0.3)) {
        chooseEntry(field<QComboBox>(dialog, "background"), dice_.below(16));
        note("background");
    }
}

void ScriptedModelUser::runDocumentProperties(COvilanDoc& document)
{
    CDocPropertySheet sheet(document, services_.services(), lastPropertyPage_);
    showForTest(sheet);
    const auto onPage = [&](int position) -> QDialog& {
        sheet.tabs().setCurrentIndex(position);
        return sheet;
    };
    const auto pageField = [&](int position, const char* name) {
        return sheet.page(position).findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    const auto pageBox = [&](int position, const char* name) {
        return sheet.page(position).findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    // Ranges: ordinary ones, one too narrow to zoom into and one too wide to zoom out of.
    for (const int axis : { 1, 2 }) {
        if (!dice_.chance(0.5))
            continue;
        onPage(axis);
        const int kind = dice_.below(10);
        QString low = QString::number(dice_.between(-30, 0));
        QString high = QString::number(dice_.between(1, 30));
        if (kind == 0) {
            low = QStringLiteral("0");
            high = QStringLiteral("1.5*10^(-21)");
        } else if (kind == 1) {
            low = QStringLiteral("-4*10^199");
            high = QStringLiteral("4*10^199");
        }
        type(pageField(axis, "min"), low);
        type(pageField(axis, "max"), high);
        note((axis == 1 ? "X " : "Y ") + low.toStdString() + ".." + high.toStdString());
    }
    if (dice_.chance(0.3)) {
        onPage(3);
        click(pageBox(3, dice_.chance(0.5) ? "horizontalShown" : "verticalShown"));
        note("grid box");
    }
    if (dice_.chance(0.3)) {
        onPage(4);
        click(pageBox(4, "shown"));
        note("legend box");
    }
    if (dice_.chance(0.2)) {
        onPage(0);
        const QString steps = QString::number(dice_.pick<int>({ 50, 300, 800 }));
        type(pageField(0, "steps"), steps);
        note("points " + steps.toStdString());
    }
    const std::size_t before = services_.messages.shown.size();
    const bool applying = dice_.chance(0.9);
    if (applying) {
        click(&sheet.applyButton());
        note("Apply");
    }
    for (std::size_t i = before; i < services_.messages.shown.size(); ++i) {
        messages.push_back(services_.messages.shown[i].text.toStdString());
        note("refused: " + messages.back());
    }
    sheet.reject();
}

SaveChangesAnswer ScriptedModelUser::askSaveChanges(const QString&)
{
    const int answer = dice_.below(10);
    if (answer < 6) {
        note("Don't save");
        return SaveChangesAnswer::Discard;
    }
    if (answer < 8) {
        note("Save");
        return SaveChangesAnswer::Save;
    }
    note("Cancel");
    return SaveChangesAnswer::Cancel;
}

std::optional<QString> ScriptedModelUser::openFileName(const QString&)
{
    note("open " + fileToOpen.toStdString());
    return fileToOpen;
}

std::optional<QString> ScriptedModelUser::saveFileName(const QString&)
{
    note("save as " + fileToSave.toStdString());
    return fileToSave;
}

} // namespace ovilan::testing
