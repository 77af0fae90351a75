#include "shell/main_frame.h"

#include "dialogs/find_points_dialog.h"
#include "dialogs/integral_dialog.h"
#include "dialogs/value_at_dialog.h"
#include "document/document_commands.h"
#include "shell/about_dialog.h"
#include "shell/command_icons.h"
#include "shell/command_table.h"
#include "shell/environment_dialog.h"
#include "shell/graph_list_view.h"
#include "shell/left_view.h"
#include "view/plot_state.h"
#include "view/plot_view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWhatsThis>

namespace ovilan {

namespace {

    QString text(std::string_view view)
    {
        return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
    }

    const QString kIdlePrompt = QStringLiteral("For Help, press F1");
    const QString kPickPrompt
        = QStringLiteral("Drag a rectangle over the interval to search; Esc cancels");
    const QString kGeometryKey = QStringLiteral("Settings/Geometry");
    const QString kSmoothLinesKey = QStringLiteral("Settings/SmoothLines");

    // The command's own keys first, then those of the platform it does not have yet.
    QList<QKeySequence> shortcutsOf(const CommandSpec& spec)
    {
        QList<QKeySequence> keys;
        for (const QString& key :
            text(spec.shortcuts).split(QStringLiteral("; "), Qt::SkipEmptyParts))
            keys.append(QKeySequence(key, QKeySequence::PortableText));
        for (const QKeySequence& key : QKeySequence::keyBindings(spec.platformKeys))
            if (!keys.contains(key))
                keys.append(key);
        return keys;
    }

} // namespace

CMainFrame::CMainFrame(COvilanDoc& document,
    AppPreferences& preferences,
    QSettings& settings,
    ShellInterface& ui,
    QWidget* parent)
    : QMainWindow(parent)
    , document_(document)
    , preferences_(preferences)
    , settings_(settings)
    , ui_(ui)
{
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);
    smoothLines_ = settings_.value(kSmoothLinesKey, 0).toInt() != 0;
    view_ = createPlotView(this);
    setCentralWidget(view_);
    createActions();
    groupCommandsOffWhilePicking();
    createContextMenus();
    createToolBars();
    createStatusBar();
    createParametersPane();
    restoreWindowGeometry();
    restoreState(settings_.value(QStringLiteral("Bars/State")).toByteArray());
    requestPaneLayout(settings_.value(QStringLiteral("Settings/View"), 3).toInt());
    createMenus();
    connectCommands();
    connectParametersPane();
    for (int i = 1; i <= 4; ++i) {
        const QString file
            = settings_.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!file.isEmpty())
            recentFiles_.append(file);
    }
    document_.addView(this);
    document_.addStateListener(this);
    qApp->installEventFilter(this);
    refreshTitle();
    refreshCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The pane is hidden with the window after the frame's own members are gone.
    parametersDock_->disconnect(this);
    document_.removeStateListener(this);
    document_.removeView(this);
    settings_.setValue(QStringLiteral("Settings/View"), paneLayout_);
}

QAction* CMainFrame::action(CommandId id) const
{
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::createActions()
{
    for (const CommandSpec& spec : commandTable()) {
        auto* item = new QAction(text(spec.menuText), this);
        item->setStatusTip(text(spec.prompt));
        if (!spec.toolTip.empty())
            item->setToolTip(text(spec.toolTip));
        item->setShortcuts(shortcutsOf(spec));
        if (spec.hasButton)
            item->setIcon(commandIcon(spec.id));
        item->setData(static_cast<int>(spec.id));
        // Shortcuts work whatever has the focus, also for commands without a menu item.
        addAction(item);
        actions_[spec.id] = item;
    }
    action(CommandId::AppAbout)->setIcon(applicationIcon());
    for (const CommandId id : { CommandId::AddLabel,
             CommandId::SelectInterval,
             CommandId::TraceCurve,
             CommandId::StandardCursor,
             CommandId::GraphList,
             CommandId::ParametersPane,
             CommandId::SmoothLines,
             CommandId::StandardBar,
             CommandId::GraphsBar,
             CommandId::StatusBar })
        action(id)->setCheckable(true);
}

void CMainFrame::createMenus()
{
    for (const MenuSpec& spec : ovilan::menuBar()) {
        QMenu* menu = QMainWindow::menuBar()->addMenu(text(spec.title));
        for (const CommandId id : spec.items) {
            if (id == kSeparator)
                menu->addSeparator();
            else if (id == CommandId::FileRecent) {
                recentMenu_ = menu;
                menu->addAction(action(id));
            } else
                menu->addAction(action(id));
        }
        if (recentMenu_ == menu)
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillRecentMenu(menu); });
    }
}

void CMainFrame::createToolBars()
{
    const auto fill = [this](QToolBar* bar, std::span<const CommandId> buttons) {
        bar->setIconSize(QSize(16, 16));
        for (const CommandId id : buttons) {
            if (id == kSeparator)
                bar->addSeparator();
            else
                bar->addAction(action(id));
        }
    };
    standardBar_ = addToolBar(QStringLiteral("Standard"));
    standardBar_->setObjectName(QStringLiteral("Standard"));
    fill(standardBar_, standardBar());
    graphsBar_ = addToolBar(QStringLiteral("Graphs"));
    graphsBar_->setObjectName(QStringLiteral("Graphs"));
    fill(graphsBar_, graphsBar());

    // The Open button's arrow lists the recent files.
    openDropDown_ = new QMenu(this);
    connect(openDropDown_, &QMenu::aboutToShow, this, [this] {
        openDropDown_->clear();
        openDropDown_->addAction(action(CommandId::FileRecent));
        fillRecentMenu(openDropDown_);
    });
    if (auto* open
        = qobject_cast<QToolButton*>(standardBar_->widgetForAction(action(CommandId::FileOpen)))) {
        open->setMenu(openDropDown_);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void CMainFrame::createStatusBar()
{
    xPane_ = new QLabel;
    yPane_ = new QLabel;
    for (QLabel* pane : { xPane_, yPane_ }) {
        pane->setMinimumWidth(
            pane->fontMetrics().horizontalAdvance(QStringLiteral("NEED FOR COORD X123")) + 8);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(pane);
    }
    // The message pane falls back on the idle prompt whenever no prompt is shown.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            showRestingPrompt();
    });
    showRestingPrompt();
}

void CMainFrame::showRestingPrompt()
{
    statusBar()->showMessage(pickingInterval_ ? kPickPrompt : kIdlePrompt);
}

COvilanView* CMainFrame::createPlotView(QWidget* parent)
{
    auto* view = new COvilanView(document_, ui_, parent);
    view->setLineDrawing(smoothLines_ ? LineDrawing::Smooth : LineDrawing::Exact);
    view->setModeCursors(addLabelCursor(), selectCursor());
    connect(
        view, &COvilanView::coordinatesChanged, this, [this](const QString& x, const QString& y) {
            if (xPane_ && yPane_) {
                xPane_->setText(x);
                yPane_->setText(y);
            }
        });
    connect(view, &COvilanView::mouseModeSet, this, [this] { refreshCommandStates(); });
    connect(view,
        &COvilanView::contextMenuRequested,
        this,
        [this](const QPoint& globalPosition, bool onLabel) {
            (onLabel ? labelMenu_ : plotMenu_)->exec(globalPosition);
        });
    connect(view, &COvilanView::intervalPicked, this, [this](SearchInterval x, SearchInterval y) {
        finishIntervalPick(std::pair { x, y });
    });
    connect(view, &COvilanView::intervalPickCancelled, this, [this] {
        finishIntervalPick(std::nullopt);
    });
    return view;
}

void CMainFrame::createContextMenus()
{
    const auto build = [this](std::span<const ContextMenuItem> items) {
        auto* menu = new QMenu(this);
        for (const ContextMenuItem& item : items) {
            if (item.id == kSeparator) {
                menu->addSeparator();
                continue;
            }
            QAction* entry = menu->addAction(commandIcon(item.imageOf), text(item.text));
            QAction* command = action(item.id);
            connect(entry, &QAction::triggered, command, &QAction::trigger);
        }
        return menu;
    };
    plotMenu_ = build(ovilan::plotContextMenu());
    labelMenu_ = build(ovilan::labelContextMenu());
}

QString CMainFrame::xPaneText() const { return xPane_->text(); }
QString CMainFrame::yPaneText() const { return yPane_->text(); }

void CMainFrame::connectCommands()
{
    const auto on = [this](CommandId id, auto handler) {
        connect(action(id), &QAction::triggered, this, handler);
    };
    using enum CommandId;
    on(FileNew, [this] {
        if (askToSaveChanges())
            newDocument();
    });
    on(FileOpen, [this] { open(); });
    on(FileSave, [this] { save(); });
    on(FileSaveAs, [this] { saveAs(); });
    on(SavePicture, [this] { savePicture(); });
    on(ImportCsv, [this] { importCsv(); });
    on(ExportCsv, [this] { exportCsv(); });
    on(SaveAnimationFrames, [this] { saveAnimationFrames(); });
    on(EditCopy, [this] { copyPicture(); });
    on(FilePrint, [this] { print(); });
    on(FilePrintPreview, [this] { printPreview(); });
    on(AppExit, [this] { close(); });
    on(EditUndo, [this] { document_.undo(); });
    on(EditRedo, [this] { document_.redo(); });
    on(AddLabel, [this] {
        setMouseMode(static_cast<int>(
            currentMouseMode() == MouseMode::AddLabel ? MouseMode::Standard : MouseMode::AddLabel));
    });
    on(SelectInterval, [this] {
        setMouseMode(static_cast<int>(currentMouseMode() == MouseMode::SelectInterval
                ? MouseMode::Standard
                : MouseMode::SelectInterval));
    });
    on(TraceCurve, [this] {
        setMouseMode(
            static_cast<int>(currentMouseMode() == MouseMode::TraceCurve ? MouseMode::Standard
                                                                         : MouseMode::TraceCurve));
    });
    on(ValueAt, [this] { showValueAt(); });
    on(FindPoints, [this] { showFindPoints(); });
    on(Integral, [this] { showIntegral(); });
    on(StandardCursor, [this] { setMouseMode(static_cast<int>(MouseMode::Standard)); });
    on(DocumentProperties, [this] { documentProperties(document_, ui_); });
    on(GraphList, [this] { requestPaneLayout(paneLayout_ ^ 2); });
    on(SmoothLines, [this] { setSmoothLines(!smoothLines_); });
    on(EditLabel, [this] { view_->editContextLabel(); });
    on(RemoveLabel, [this] { view_->removeContextLabel(); });
    on(AddGraph, [this] { addGraph(document_, ui_); });
    on(AddTableGraph, [this] { addTableGraph(document_, ui_); });
    on(RemoveGraph, [this] { removeCurrentGraph(document_, ui_); });
    on(EditGraph, [this] { editCurrentGraph(document_, ui_); });
    connectDerivedGraphCommands();
    on(ZoomIn, [this] { zoomIn(document_, ui_); });
    on(ZoomOut, [this] { zoomOut(document_, ui_); });
    on(ScrollLeft,
        [this] { ovilan::scroll(document_, currentPlotMapping(), ScrollDirection::Left); });
    on(ScrollRight,
        [this] { ovilan::scroll(document_, currentPlotMapping(), ScrollDirection::Right); });
    on(ScrollUp, [this] { ovilan::scroll(document_, currentPlotMapping(), ScrollDirection::Up); });
    on(ScrollDown,
        [this] { ovilan::scroll(document_, currentPlotMapping(), ScrollDirection::Down); });
    on(StandardBar, [this] { standardBar_->setVisible(!standardBar_->isVisible()); });
    on(GraphsBar, [this] { graphsBar_->setVisible(!graphsBar_->isVisible()); });
    on(StatusBar, [this] {
        statusBar()->setVisible(statusBar()->isHidden());
        refreshCommandStates();
    });
    on(AppEnvironmentSettings, [this] {
        EnvironmentDialog dialog(preferences_, this);
        if (dialog.exec() == QDialog::Accepted)
            preferences_ = dialog.preferences();
    });
    on(AppAbout, [this] {
        AboutDialog about(applicationIcon(), this);
        about.exec();
    });
    on(HelpTopics, [this] { openHelp(QStringLiteral("index.html")); });
    on(Help, [this] { openHelp(QStringLiteral("index.html")); });
    // Shift+F1: the pointer asks "what is this?", and a click on a tool bar button answers with the
    // help on its command.
    on(HelpContext, [] { QWhatsThis::enterWhatsThisMode(); });
    on(NextPane, [this] { focusOtherPane(); });
    on(PreviousPane, [this] { focusOtherPane(); });
    // Bar check marks follow the bars however they were shown or hidden.
    connect(standardBar_, &QToolBar::visibilityChanged, this, [this] { refreshCommandStates(); });
    connect(graphsBar_, &QToolBar::visibilityChanged, this, [this] { refreshCommandStates(); });
}

void CMainFrame::requestPaneLayout(int layout)
{
    // 1 is the plot view alone, 3 the graph list beside it; other values change nothing.
    if (layout == paneLayout_ || (layout != 1 && layout != 3))
        return;
    QWidget* pane = nullptr;
    if (layout == 1) {
        view_ = createPlotView(this);
        pane = view_;
    } else {
        auto* list = new CGraphListView(
            document_, settings_, [this](QWidget* parent) { return createPlotView(parent); }, this);
        connect(list->leftView(), &CLeftView::commandRequested, this, [this](CommandId id) {
            if (QAction* command = action(id))
                command->trigger();
        });
        connect(list->leftView(), &CLeftView::currentGraphChanged, this, [this] {
            refreshCommandStates();
        });
        view_ = list->plotView();
        pane = list;
    }
    // The old pane goes with its views; the document stays.
    setCentralWidget(pane);
    paneLayout_ = layout;
    view_->setFocus();
    refreshCommandStates();
}

void CMainFrame::setSmoothLines(bool smooth)
{
    smoothLines_ = smooth;
    // Written at once, as the pane layout is, so the choice holds for the next run.
    settings_.setValue(kSmoothLinesKey, smooth ? 1 : 0);
    view_->setLineDrawing(smooth ? LineDrawing::Smooth : LineDrawing::Exact);
    refreshCommandStates();
}

void CMainFrame::focusOtherPane()
{
    // With the graph list there are two panes, so next and previous are the same other one.
    auto* list = qobject_cast<CGraphListView*>(centralWidget());
    if (!list || !list->leftView())
        return;
    if (focusWidget() == view_)
        list->leftView()->tree()->setFocus(Qt::ShortcutFocusReason);
    else
        view_->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::setMouseMode(int mode)
{
    currentMouseMode() = static_cast<MouseMode>(mode);
    view_->mouseModeChanged();
    refreshCommandStates();
}

void CMainFrame::showValueAt()
{
    const std::int32_t graph = valueAtGraph(document_);
    if (graph < 0)
        return;
    CValueAtDlg dialog(document_, graph, ui_, standardDialogServices(), this);
    dialog.exec();
}

void CMainFrame::showIntegral()
{
    const std::int32_t graph = integralGraph(document_);
    if (graph < 0)
        return;
    CIntegralDlg dialog(document_, graph, standardDialogServices(), this);
    dialog.exec();
}

void CMainFrame::refreshCommandStates()
{
    using enum CommandId;
    const MouseMode mode = currentMouseMode();
    action(EditUndo)->setEnabled(document_.canUndo());
    action(EditRedo)->setEnabled(document_.canRedo());
    const bool graphSelected
        = document_.currentGraph >= 0 && document_.currentGraph < document_.graphCount();
    action(RemoveGraph)->setEnabled(graphSelected);
    action(EditGraph)->setEnabled(graphSelected);
    action(DerivativeGraph)->setEnabled(graphSelected);
    action(TangentNormal)->setEnabled(graphSelected);
    action(FitCurve)->setEnabled(
        graphSelected && document_.graph(document_.currentGraph).kind == GraphKind::Table);
    action(AddLabel)->setChecked(mode == MouseMode::AddLabel);
    action(SelectInterval)
        ->setChecked(mode == MouseMode::SelectInterval || mode == MouseMode::Selecting);
    action(TraceCurve)->setChecked(mode == MouseMode::TraceCurve);
    action(ValueAt)->setEnabled(valueAtGraph(document_) >= 0);
    action(FindPoints)->setEnabled(valueAtGraph(document_) >= 0);
    action(Integral)->setEnabled(integralGraph(document_) >= 0);
    action(StandardCursor)->setChecked(mode == MouseMode::Standard);
    action(GraphList)->setChecked((paneLayout_ & 2) != 0);
    action(ParametersPane)->setChecked(!parametersDock_->isHidden());
    action(SmoothLines)->setChecked(smoothLines_);
    action(StandardBar)->setChecked(!standardBar_->isHidden());
    action(GraphsBar)->setChecked(!graphsBar_->isHidden());
    action(StatusBar)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::onUpdate(std::int32_t hint)
{
    showDocumentParameters(hint);
    refreshTitle();
    refreshCommandStates();
}

void CMainFrame::onDocumentStateChanged()
{
    // Undo, Redo, another command or Save came between two moves of a value: the next move
    // takes an undo step of its own.
    parameterMoveOpen_ = false;
    refreshTitle();
    refreshCommandStates();
}

// The program's F1 help where the window's own shortcut cannot reach: in dialogs and on menu items.
// Installed on the application, so it sees every key before the focused widget does.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // F1 in one of the program's dialogs opens the help at that dialog.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
        && watched->isWidgetType()) {
        const QString anchor = dialogHelpAnchor(QApplication::activeModalWidget());
        if (!anchor.isEmpty()) {
            openHelp(QStringLiteral("dialogs.html#") + anchor);
            return true;
        }
    }
    // A tool bar button clicked after Shift+F1 opens the help at its command.
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button && event->type() == QEvent::WhatsThis && button->defaultAction()
        && button->defaultAction()->data().isValid()) {
        QWhatsThis::leaveWhatsThisMode();
        openHelp(
            QStringLiteral("commands.html#cmd-%1").arg(button->defaultAction()->data().toInt()));
        return true;
    }
    // F1 on a highlighted menu item opens the help at that command.
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 && menu->activeAction()
        && menu->activeAction()->data().isValid()) {
        openHelp(QStringLiteral("commands.html#cmd-%1").arg(menu->activeAction()->data().toInt()));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    endFindPoints();
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    settings_.setValue(QStringLiteral("Bars/State"), saveState());
    settings_.setValue(kGeometryKey, saveGeometry());
    event->accept();
}

// The window starts maximised; what is remembered is where it goes when it is restored: where
// the user last had it, else a good part of the screen, in its middle.
void CMainFrame::restoreWindowGeometry()
{
    if (restoreGeometry(settings_.value(kGeometryKey).toByteArray()))
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, available.size() * 3 / 4, available));
}

} // namespace ovilan
