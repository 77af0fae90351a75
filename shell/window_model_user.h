#pragma once

#include "dialogs/dialog_test_support.h"
#include "shell/shell_interface.h"

#include <QString>

#include <random>
#include <string>
#include <vector>

class QDialog;

namespace ovilan::testing {

// The random choices of a model run, all from one seed, so a run can be repeated exactly.
class ModelDice {
public:
    explicit ModelDice(std::uint32_t seed)
        : engine_(seed)
    {
    }

    bool chance(double probability) { return std::bernoulli_distribution(probability)(engine_); }
    // 0 .. count - 1.
    int below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }
    int between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    template <typename Item> const Item& pick(const std::vector<Item>& items)
    {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }

private:
    std::mt19937 engine_;
};

// A user who answers every question of the window at random, mostly with legal values and now
// and then with ones the dialogs refuse. The real dialogs are opened, filled field by field and
// confirmed with OK; a refused OK is followed by Cancel, as a user gives up. Everything typed
// and answered is written to `answers`, so the failing step of a run can be read back.
class ScriptedModelUser : public ShellInterface {
public:
    explicit ScriptedModelUser(ModelDice& dice)
        : dice_(dice)
    {
    }

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    bool askConfirmation(std::string_view text) override;
    std::unique_ptr<CFunctionGraph> runGraphDialog(
        COvilanDoc& document, const CFunctionGraph* graph) override;
    bool runTableGraphDialog(COvilanDoc& document, CTableGraph& graph) override;
    bool runLabelDialog(COvilanDoc& document, CPlotLabel& label) override;
    void runDocumentProperties(COvilanDoc& document) override;
    SaveChangesAnswer askSaveChanges(const QString& documentName) override;
    std::optional<QString> openFileName(const QString& folder) override;
    std::optional<QString> saveFileName(const QString& suggestion) override;
    std::optional<PictureFile> pictureFileName() override { return std::nullopt; }
    std::optional<QString> csvFileName(const QString&) override { return std::nullopt; }
    bool askCsvImport(const QString&, const CsvTable&) override { return false; }
    std::optional<CsvExportScope> askCsvExport(bool) override { return std::nullopt; }
    std::optional<QString> csvSaveFileName(const QString&) override { return std::nullopt; }
    std::optional<PictureRequest> askPictureSize(int, int) override { return std::nullopt; }
    std::optional<SharpPictureSize> askSharpPictureSize(PictureFormat, QSize) override
    {
        return std::nullopt;
    }
    std::optional<AnimationFramesRequest> askAnimationFrames(const ParameterTable&) override
    {
        return std::nullopt;
    }
    bool askPrinter(QPrinter&) override { return false; }

    // What the next Open and Save As are answered with.
    QString fileToOpen;
    QString fileToSave;
    // The messages of the window and of its dialogs, in order.
    std::vector<std::string> messages;
    std::string answers;

private:
    void note(const std::string& text);
    // Presses OK; a refusal (the dialog stays open) is answered with Cancel. True on OK.
    bool confirm(QDialog& dialog);
    void fillGraphDialog(QDialog& dialog, bool editing);
    void fillTableDialog(QDialog& dialog);
    void fillLabelDialog(QDialog& dialog);

    ModelDice& dice_;
    ScriptedServices services_;
    int lastPropertyPage_ = 0;
};

} // namespace ovilan::testing
