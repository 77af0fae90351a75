#include "dialogs/edit_grid.h"

#include "dialogs/form_parts.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QTableWidgetSelectionRange>

#include <algorithm>
#include <utility>
#include <vector>

namespace ovilan {

namespace {

    constexpr int kRowNumberBlanks = 10;
    constexpr int kCellCharacters = 21;
    constexpr int kRowPadding = 6;
    // The editor's font is asked for in weight 100 (thin); a face without a thin cut, as Arial
    // and the faces standing in for it, is drawn at its regular weight.
    constexpr int kEditorWeight = 100;

    // Enter walks a row: X → Y → the next row's X, and from "Label" also to the next row's X.
    std::vector<int> enterSteps(int column)
    {
        switch (column) {
        case CEditGrid::kXColumn:
            return { Qt::Key_Right };
        case CEditGrid::kYColumn:
            return { Qt::Key_Down, Qt::Key_Left };
        case CEditGrid::kLabelColumn:
            return { Qt::Key_Down, Qt::Key_Left, Qt::Key_Left };
        default:
            return { Qt::Key_Down };
        }
    }

    bool isTabKey(const QKeyEvent& event)
    {
        return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    }

    // A key that types into a cell: a printable character or Backspace, not a shortcut.
    bool typesText(const QKeyEvent& event)
    {
        if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = event.text();
        return !text.isEmpty() && (text.front().isPrint() || event.key() == Qt::Key_Backspace);
    }

    // The rows of a block of text as a spreadsheet copies it: lines ended by LF, CRLF or CR, the
    // last line break ending the block rather than starting an empty row; cells split at tabs.
    std::vector<QStringList> splitBlock(QString text)
    {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
        if (text.endsWith(u'\n'))
            text.chop(1);
        std::vector<QStringList> rows;
        if (text.isEmpty())
            return rows;
        for (const QString& line : text.split(u'\n'))
            rows.push_back(line.split(u'\t'));
        return rows;
    }

} // namespace

CCellEdit::CCellEdit(QWidget* grid, QWidget* parent)
    : QLineEdit(parent)
    , grid_(grid)
{
    setFrame(false);
    // Reached by the grid, never by the dialog's Tab order.
    setFocusPolicy(Qt::ClickFocus);
}

void CCellEdit::keyPressEvent(QKeyEvent* event)
{
    if (holdsCellAsOpened()
        && (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy))) {
        event->accept();
        if (event->matches(QKeySequence::Paste))
            emit blockPasteRequested();
        else
            emit blockCopyRequested();
        return;
    }
    if (widensBlock(*event)) {
        postToGrid(event->key(), event->modifiers());
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        postToGrid(event->key(), event->modifiers());
        event->accept();
        return;
    case Qt::Key_Right:
    case Qt::Key_End:
        if (caretAtEnd())
            postToGrid(event->key(), event->modifiers());
        break;
    case Qt::Key_Left:
    case Qt::Key_Home:
        if (caretAtStart())
            postToGrid(event->key(), event->modifiers());
        break;
    case Qt::Key_Escape:
        // Accepted, so the dialog stays open and only the edit is dropped.
        event->accept();
        emit dropRequested();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Accepted, so Enter moves on in the grid instead of pressing the dialog's default button.
        postToGrid(Qt::Key_Return, Qt::NoModifier);
        event->accept();
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void CCellEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The editor's own context menu, or another application taken to the front for a while,
    // leave the edit open: the text stays in the editor and reaches the cell later.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (QApplication::focusWidget() == grid_)
        emit focusReturnedToGrid();
    else
        emit focusLeftGrid();
}

void CCellEdit::postToGrid(int key, Qt::KeyboardModifiers modifiers) const
{
    // Posted, so the editor finishes with this key before the grid moves on and replaces it.
    QCoreApplication::postEvent(grid_, new QKeyEvent(QEvent::KeyPress, key, modifiers));
}

bool CCellEdit::holdsCellAsOpened() const
{
    return !isModified() && (text().isEmpty() || selectedText() == text());
}

// Shift+Left and Shift+Right on a cell as it was opened widen the block of cells, as Shift+Up and
// Shift+Down do; once its text is being edited, they select within the text.
bool CCellEdit::widensBlock(const QKeyEvent& event) const
{
    return (event.key() == Qt::Key_Left || event.key() == Qt::Key_Right)
        && event.modifiers() == Qt::ShiftModifier && holdsCellAsOpened();
}

bool CCellEdit::caretAtStart() const { return !hasSelectedText() && cursorPosition() == 0; }

bool CCellEdit::caretAtEnd() const
{
    return !hasSelectedText() && cursorPosition() == text().size();
}

CEditGrid::CEditGrid(QWidget* parent)
    : QTableWidget(kRows, kColumns, parent)
{
    setHorizontalHeaderLabels(
        { QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Label") });
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The headers only label the cells: clicking them selects nothing and opens no editor.
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionsClickable(false);
    setCornerButtonEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A rectangle of cells, picked with Shift or the mouse, is what Copy takes.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    sizeCells();

    connect(this, &QTableWidget::currentCellChanged, this, &CEditGrid::beginEdit);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CEditGrid::gridScrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CEditGrid::gridScrolled);
}

CEditGrid::~CEditGrid()
{
    // The editor outlives this part of the grid while the widget tears down its children.
    if (editor_)
        editor_->disconnect(this);
}

void CEditGrid::attach()
{
    setCurrentIndex(QModelIndex());
    QFont gridFont = font();
    gridFont.setFamily(QStringLiteral("Arial"));
    setFont(gridFont);
    sizeCells();
    createEditor();
    editor_->setFont(buildEditorFont());
    writeRowNumbers();
    viewport()->update();
    // The columns now have their widths; the dialog's layout asks for the size again.
    updateGeometry();
}

void CEditGrid::sizeCells()
{
    const QFontMetrics metrics(font());
    verticalHeader()->setFixedWidth(metrics.horizontalAdvance(QString(kRowNumberBlanks, u' ')));
    // A cell holds 21 characters of text besides the margin the style keeps around it.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int cellWidth = kCellCharacters * metrics.averageCharWidth() + margin;
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, cellWidth);
    // One line of text, not the roomy rows of a list.
    const int rowHeight = metrics.height() + kRowPadding;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

void CEditGrid::writeRowNumbers()
{
    QStringList numbers;
    numbers.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        numbers.append(QString::number(row + 1));
    setVerticalHeaderLabels(numbers);
}

QFont CEditGrid::buildEditorFont() const
{
    const QFont& gridFont = font();
    const double points
        = gridFont.pointSizeF() > 0 ? gridFont.pointSizeF() : gridFont.pixelSize() * 72.0 / 96.0;
    QFont editorFont(gridFont.family());
    editorFont.setPixelSize(std::max(1, qRound(points * logicalDpiY() / 72.0)));
    editorFont.setItalic(gridFont.italic());
    editorFont.setUnderline(gridFont.underline());
    editorFont.setStrikeOut(gridFont.strikeOut());
    editorFont.setWeight(static_cast<QFont::Weight>(kEditorWeight));
    return editorFont;
}

void CEditGrid::createEditor()
{
    if (editor_)
        return;
    editor_ = new CCellEdit(this, viewport());
    editor_->hide();
    connect(editor_, &CCellEdit::dropRequested, this, &CEditGrid::dropEdit);
    connect(editor_, &CCellEdit::blockPasteRequested, this, &CEditGrid::pasteFromClipboard);
    connect(editor_, &CCellEdit::blockCopyRequested, this, &CEditGrid::copyToClipboard);
    connect(editor_, &CCellEdit::focusLeftGrid, this, &CEditGrid::commit);
    connect(editor_, &CCellEdit::focusReturnedToGrid, this, [this] { focusFromEditor_ = true; });
}

void CEditGrid::beginEdit()
{
    const int row = currentRow();
    const int column = currentColumn();
    if (!editor_ || row < 0 || column < 0)
        return;
    // An edit still open on another cell keeps its text there, not in this one.
    commit();
    revealRowAfterCurrent();
    loadEditor(row, column);
    placeEditor();
}

void CEditGrid::setColumnTextLimit(int column, std::size_t maxBytes)
{
    textLimits_[static_cast<std::size_t>(column)] = maxBytes;
}

void CEditGrid::loadEditor(int row, int column)
{
    limitTextLength(*editor_, textLimits_[static_cast<std::size_t>(column)]);
    editor_->setText(cellText(row, column));
    editor_->selectAll();
    editedRow_ = row;
    editedColumn_ = column;
}

void CEditGrid::placeEditor()
{
    if (!editor_)
        return;
    commit();
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !editorFitsCurrentRow())
        return;
    // After Escape, or a move that scrolled before it was announced, the editor holds no text of
    // this cell; it must not carry another's text into it.
    if (editedRow_ != current.row() || editedColumn_ != current.column())
        loadEditor(current.row(), current.column());
    editor_->setGeometry(visualRect(current));
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    hadFocus_ = true;
}

void CEditGrid::commit()
{
    if (!isEditing())
        return;
    if (editedRow_ >= 0)
        storeCellText(editedRow_, editedColumn_, editor_->text());
    hideEditor();
}

void CEditGrid::dropEdit()
{
    editor_->clear();
    editedRow_ = -1;
    editedColumn_ = -1;
    hideEditor();
}

void CEditGrid::hideEditor()
{
    // The grid takes the focus first: a focused widget that is hidden hands the focus on along
    // the Tab order, which here would walk to the next cell.
    if (editor_->hasFocus())
        setFocus(Qt::OtherFocusReason);
    editor_->hide();
}

void CEditGrid::makeCurrent(int row, int column)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (row == currentRow() && column == currentColumn()) {
        beginEdit();
        return;
    }
    if (currentColumn() >= 0 && row != currentRow())
        setCurrentCell(row, currentColumn());
    setCurrentCell(row, column);
}

bool CEditGrid::isEditing() const { return editor_ && !editor_->isHidden(); }

QString CEditGrid::cellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CEditGrid::setCellText(int row, int column, const QString& text)
{
    storeCellText(row, column, text);
    // The editor open on this cell shows the new text, or its commit would write the old one back.
    if (isEditing() && row == editedRow_ && column == editedColumn_) {
        editor_->setText(text);
        editor_->selectAll();
    }
}

void CEditGrid::storeCellText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
        return;
    }
    if (!text.isEmpty())
        setItem(row, column, new QTableWidgetItem(text));
}

bool CEditGrid::pasteBlock(const QString& text)
{
    const std::vector<QStringList> rows = splitBlock(text);
    if (rows.empty())
        return true;
    const int row = std::max(currentRow(), 0);
    const int column = std::max(currentColumn(), 0);
    const int rowsThatFit = rowCount() - row;
    if (std::cmp_greater(rows.size(), rowsThatFit)) {
        emit blockRefused(QStringLiteral("The clipboard holds %1 rows, but only %2 fit from row "
                                         "%3 on. Nothing was pasted.")
                              .arg(rows.size())
                              .arg(rowsThatFit)
                              .arg(row + 1));
        return false;
    }
    if (const QString refusal = overlongCell(rows, row, column); !refusal.isEmpty()) {
        emit blockRefused(refusal);
        return false;
    }
    int lastColumn = column;
    for (std::size_t line = 0; line < rows.size(); ++line) {
        const int cells = std::min<int>(static_cast<int>(rows[line].size()), kColumns - column);
        for (int cell = 0; cell < cells; ++cell)
            setCellText(row + static_cast<int>(line), column + cell, rows[line][cell]);
        lastColumn = std::max(lastColumn, column + cells - 1);
    }
    clearSelection();
    setRangeSelected(QTableWidgetSelectionRange(
                         row, column, row + static_cast<int>(rows.size()) - 1, lastColumn),
        true);
    viewport()->update();
    return true;
}

QString CEditGrid::overlongCell(const std::vector<QStringList>& rows, int row, int column) const
{
    for (std::size_t line = 0; line < rows.size(); ++line) {
        const int cells = std::min<int>(static_cast<int>(rows[line].size()), kColumns - column);
        for (int cell = 0; cell < cells; ++cell) {
            const std::size_t limit = textLimits_[static_cast<std::size_t>(column + cell)];
            if (static_cast<std::size_t>(rows[line][cell].toUtf8().size()) <= limit)
                continue;
            return QStringLiteral("The text for row %1, column %2 is longer than a cell there "
                                  "holds. Nothing was pasted.")
                .arg(row + static_cast<int>(line) + 1)
                .arg(horizontalHeaderItem(column + cell)->text());
        }
    }
    return {};
}

QTableWidgetSelectionRange CEditGrid::copiedRange() const
{
    const QTableWidgetSelectionRange currentCell(
        currentRow(), currentColumn(), currentRow(), currentColumn());
    const QModelIndexList selected = selectedIndexes();
    if (selected.isEmpty())
        return currentCell;
    int top = rowCount(), left = columnCount(), bottom = -1, right = -1;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    const QTableWidgetSelectionRange bounds(top, left, bottom, right);
    // Cells picked in pieces count only when together they fill a rectangle.
    if (selected.size() != static_cast<qsizetype>(bounds.rowCount()) * bounds.columnCount())
        return currentCell;
    return bounds;
}

QString CEditGrid::copyBlock() const
{
    const QTableWidgetSelectionRange range = copiedRange();
    if (range.topRow() < 0 || range.leftColumn() < 0)
        return {};
    if (range.rowCount() == 1 && range.columnCount() == 1)
        return cellText(range.topRow(), range.leftColumn());
    QString block;
    for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
        QStringList cells;
        for (int column = range.leftColumn(); column <= range.rightColumn(); ++column)
            cells.append(cellText(row, column));
        block += cells.join(u'\t') + u'\n';
    }
    return block;
}

void CEditGrid::pasteFromClipboard() { pasteBlock(QGuiApplication::clipboard()->text()); }

void CEditGrid::copyToClipboard() const { QGuiApplication::clipboard()->setText(copyBlock()); }

void CEditGrid::keyboardSearch(const QString&) { }

QSize CEditGrid::sizeHint() const
{
    constexpr int kShownRows = 15;
    const int frame = 2 * frameWidth();
    const int width = verticalHeader()->sizeHint().width() + horizontalHeader()->length() + frame
        + verticalScrollBar()->sizeHint().width() + frame;
    const int height = horizontalHeader()->sizeHint().height() + kShownRows * rowHeight(0)
        + horizontalScrollBar()->sizeHint().height() + frame;
    return { width, height };
}

void CEditGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The cell about to be left keeps what was typed into it; the new one is opened once
    // currentCellChanged announces it.
    commit();
    QTableWidget::currentChanged(current, previous);
}

void CEditGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    const bool fromEditor = std::exchange(focusFromEditor_, false);
    if (!editor_)
        return;
    if (!hadFocus_) {
        hadFocus_ = true;
        // A click picks its own cell; making the first row current first would scroll the
        // clicked cell away from under the mouse.
        if (event->reason() != Qt::MouseFocusReason)
            makeCurrent(0, currentColumn() >= 0 ? currentColumn() : kXColumn);
        return;
    }
    if (!fromEditor)
        beginEdit();
}

void CEditGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveOn();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F2) {
        beginEdit();
        event->accept();
        return;
    }
    // The grid keeps Escape: with no edit open there is nothing to drop, and the dialog, with
    // every cell typed so far, stays open.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy)) {
        if (event->matches(QKeySequence::Paste))
            pasteFromClipboard();
        else
            copyToClipboard();
        event->accept();
        return;
    }
    if (typesText(*event) && typeIntoEditor(*event))
        return;
    // Tab walks the cells, so Ctrl+Tab leaves the grid, as in Qt's other fields that keep Tab.
    if (isTabKey(*event) && (event->modifiers() & Qt::ControlModifier)) {
        const bool backward
            = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        // From the grid itself, so the Tab order runs on from the grid and not from its editor.
        commit();
        QWidget::focusNextPrevChild(!backward);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool CEditGrid::typeIntoEditor(const QKeyEvent& key)
{
    if (!isEditing())
        beginEdit();
    if (!isEditing())
        return false;
    // A new edit opens with the cell's text selected, so the key replaces it, as on a cell
    // reached with the arrows; keys that arrive while the editor takes the focus follow it.
    QKeyEvent typed(key.type(), key.key(), key.modifiers(), key.text(), key.isAutoRepeat());
    QCoreApplication::sendEvent(editor_, &typed);
    return true;
}

void CEditGrid::moveOn()
{
    for (const int key : enterSteps(currentColumn()))
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

void CEditGrid::mousePressEvent(QMouseEvent* event)
{
    QTableWidget::mousePressEvent(event);
    // A click on the current cell reopens an edit that Escape closed.
    const QModelIndex clicked = indexAt(event->position().toPoint());
    if (clicked.isValid() && clicked == currentIndex() && !isEditing())
        beginEdit();
}

bool CEditGrid::focusNextPrevChild(bool next)
{
    if (!isVisible() || !isEnabled())
        return QTableWidget::focusNextPrevChild(next);
    // The grid keeps Tab and Shift+Tab to move between its cells.
    QKeyEvent tab(QEvent::KeyPress, next ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
    QTableWidget::keyPressEvent(&tab);
    return true;
}

void CEditGrid::gridScrolled()
{
    // Only an edit in progress follows the scrolling; a wheel turned over the grid while another
    // field is being typed in does not take that field's focus.
    if (isEditing() || hasFocus())
        placeEditor();
}

void CEditGrid::updateGeometries()
{
    QTableWidget::updateGeometries();
    // A column dragged wider, or the grid resized, keeps the open editor over its cell.
    if (isEditing())
        editor_->setGeometry(visualRect(currentIndex()));
}

bool CEditGrid::rowInView(int row) const
{
    const int top = rowViewportPosition(row);
    return top + rowHeight(row) > 0 && top < viewport()->height();
}

bool CEditGrid::editorFitsCurrentRow() const
{
    const int row = currentRow();
    if (row == rowCount() - 1)
        return rowInView(row);
    return rowInView(row) && rowInView(row + 1);
}

void CEditGrid::revealRowAfterCurrent()
{
    // Keys that move down past the bottom edge would otherwise leave the new row without an
    // editor whenever the rows fill the grid exactly.
    const int row = currentRow();
    if (row + 1 < rowCount())
        scrollTo(model()->index(row + 1, currentColumn()));
}

} // namespace ovilan
