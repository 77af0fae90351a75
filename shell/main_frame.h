#pragma once

#include "analysis/curve_samples.h"
#include "document/ovilan_doc.h"
#include "document/update_hints.h"
#include "shell/command_ids.h"
#include "shell/shell_interface.h"

#include <QMainWindow>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <utility>

class QActionGroup;
class QDockWidget;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;

namespace ovilan {

class CFindPointsDlg;
class CParametersPane;
class COvilanView;

// A folder of the program's own files ("help", "examples") beside the program or in its
// installation's shared data; empty when there is none.
QString programDataFolder(const QString& name);
// The anchor of a dialog's section in the help's dialog page; empty for other windows.
QString dialogHelpAnchor(const QWidget* dialog);

// The program's one window: the plot, the menus and tool bars built from the command table, the
// status bar with the coordinate panes, and the file, picture and help commands.
class CMainFrame : public QMainWindow, public DocumentView, public DocumentStateListener {
    Q_OBJECT

public:
    CMainFrame(COvilanDoc& document,
        AppPreferences& preferences,
        QSettings& settings,
        ShellInterface& ui,
        QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Opens a document as Open does, without asking for a name; false when it failed (the
    // message was shown and the document is a new one).
    bool openDocument(const QString& path);
    void newDocument();
    bool saveDocumentAs(const QString& path);

    QAction* action(CommandId id) const;
    COvilanView* plotView() const { return view_; }
    // The context menus of the plot and of a label.
    QMenu* plotContextMenu() const { return plotMenu_; }
    QMenu* labelContextMenu() const { return labelMenu_; }
    QToolBar* standardToolBar() const { return standardBar_; }
    QToolBar* graphsToolBar() const { return graphsBar_; }
    QDockWidget* parametersDock() const { return parametersDock_; }
    CParametersPane* parametersPane() const { return parametersPane_; }
    QString xPaneText() const;
    QString yPaneText() const;
    QStringList recentFiles() const { return recentFiles_; }
    int paneLayout() const { return paneLayout_; }
    QString documentPath() const { return path_; }

    void onUpdate(std::int32_t hint) override;
    void onDocumentStateChanged() override;

    // Save As Picture and Copy, the picture drawn at the size the user chose.
    void savePicture();
    void copyPicture();
    // Save Animation Frames: one PNG picture of the plot for each value of a parameter.
    void saveAnimationFrames();
    // Import CSV: a file of measurements, previewed, opens as a new table graph in its dialog.
    // Export CSV: the selected graph's points or every graph's traced points (frame_csv.cpp).
    void importCsv();
    void exportCsv();
    // Print, after the print dialog, and Print Preview.
    void print();
    void printPreview();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void restoreWindowGeometry();
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createContextMenus();
    // A plot view wired to the status bar, the mode check marks and the context menus.
    COvilanView* createPlotView(QWidget* parent);
    void connectCommands();
    // Derivative and Tangent and Normal, the graphs drawn from the selected one.
    void connectDerivedGraphCommands();
    void openTangentDialog();
    void openFitDialog();
    void refreshCommandStates();
    void refreshTitle();
    void setMouseMode(int mode);
    // Value At on the selected graph.
    void showValueAt();
    void showIntegral();

    // Find Points, its interval dragged on the plot between runs (frame_find_points.cpp).
    void showFindPoints();
    void runFindPoints();
    void finishIntervalPick(const std::optional<std::pair<SearchInterval, SearchInterval>>& ranges);
    // Closes the dialog and cancels a pick in progress, as the window closes.
    void endFindPoints();
    void setPickingInterval(bool picking);
    void groupCommandsOffWhilePicking();
    // "For Help, press F1", or what the plot waits for while an interval is picked.
    void showRestingPrompt();
    void requestPaneLayout(int layout);
    void focusOtherPane();

    // Files.
    bool askToSaveChanges();
    bool save();
    bool saveAs();
    void open();
    // Where the Open dialog starts.
    QString openFolder() const;
    void rememberRecent(const QString& path);
    void fillRecentMenu(QMenu* menu);
    void writeRecentFiles();

    // Smooth lines on or off, in every plot view and in the settings.
    void setSmoothLines(bool smooth);

    // Help.
    void openHelp(const QString& page);

    // The Parameters pane, docked beside the plot (frame_parameters.cpp).
    void createParametersPane();
    void connectParametersPane();
    void showDocumentParameters(std::int32_t hint);

    COvilanDoc& document_;
    AppPreferences& preferences_;
    QSettings& settings_;
    ShellInterface& ui_;
    COvilanView* view_ = nullptr;
    std::map<CommandId, QAction*> actions_;
    QToolBar* standardBar_ = nullptr;
    QToolBar* graphsBar_ = nullptr;
    QLabel* xPane_ = nullptr;
    QLabel* yPane_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* openDropDown_ = nullptr;
    QMenu* plotMenu_ = nullptr;
    QMenu* labelMenu_ = nullptr;
    QStringList recentFiles_;
    QString path_;
    int paneLayout_ = 1;
    bool smoothLines_ = false;
    // The Find Points dialog while it runs or waits for an interval dragged on the plot.
    std::unique_ptr<CFindPointsDlg> findPoints_;
    bool pickingInterval_ = false;
    QActionGroup* commandsOffWhilePicking_ = nullptr;
    QDockWidget* parametersDock_ = nullptr;
    CParametersPane* parametersPane_ = nullptr;
    // A slider drag or a play has taken its undo step and moves the value on without more.
    bool parameterMoveOpen_ = false;
    // The pane's own change is being applied; the table it shows follows it already.
    bool applyingPaneChange_ = false;
};

} // namespace ovilan
