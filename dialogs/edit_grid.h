#pragma once

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTableWidget>

#include <array>
#include <cstddef>
#include <vector>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

namespace ovilan {

// The field a user types into over the grid's current cell. It keeps the keys that move within
// the text and hands the grid those that move between cells: Up and Down always, Right and End
// from the end of the text, Left and Home from its start (the editor then handles those too), and
// Enter, which never becomes a line break.
class CCellEdit : public QLineEdit {
    Q_OBJECT

public:
    // `grid` receives the keys that move between cells; `parent` is the grid's viewport.
    CCellEdit(QWidget* grid, QWidget* parent);

signals:
    // Escape: the typed text is to be dropped.
    void dropRequested();
    // Paste or Copy pressed while the editor holds the cell as it was opened, so the keys act on
    // blocks of cells rather than on the text.
    void blockPasteRequested();
    void blockCopyRequested();
    // The focus went straight back to the grid.
    void focusReturnedToGrid();
    // The focus went to a window other than the grid, so the typed text is to be kept.
    void focusLeftGrid();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void postToGrid(int key, Qt::KeyboardModifiers modifiers) const;
    // Nothing typed since the edit opened and the whole text (if any) still selected: the state
    // of a cell reached with the keys or a click, before the user starts to edit it.
    bool holdsCellAsOpened() const;
    bool widensBlock(const QKeyEvent& event) const;
    bool caretAtStart() const;
    bool caretAtEnd() const;

    QWidget* grid_;
};

// The points of a table graph as cells typed into in place: rows 0..1999 hold points 0..1999,
// columns 0..2 are "X", "Y" and "Label", and the row numbers 1..2000 stand in the vertical header.
// Qt's own editing is off; the one editor, a CCellEdit, follows the current cell, and its text
// reaches the cell only through commit(). Paste and Copy act on blocks of cells, as in a
// spreadsheet, until the user starts to edit a cell's text; from then on they act on the text.
class CEditGrid : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int kRows = 2000;
    static constexpr int kXColumn = 0;
    static constexpr int kYColumn = 1;
    static constexpr int kLabelColumn = 2;
    static constexpr int kColumns = 3;
    // A line edit's own bound, for a column given none.
    static constexpr std::size_t kUnlimitedText = 32767;

    explicit CEditGrid(QWidget* parent = nullptr);
    ~CEditGrid() override;

    // Takes the grid over when its dialog opens: no cell current yet, the font "Arial" with the
    // editor's font built from it, the editor created hidden and the row numbers written.
    void attach();
    // Opens the editor on the current cell with its whole text selected.
    void beginEdit();
    // Lays the editor over the current cell and gives it the focus, after committing any open
    // edit; the editor stays hidden while the current row or the row after it is out of view.
    void placeEditor();
    // Writes an open edit into its cell and hides the editor. Safe to call at any time.
    void commit();
    // Makes (row, column) current, row first and then column, which opens the editor there; when
    // the cell already is current, opens the editor on it.
    void makeCurrent(int row, int column);

    bool isEditing() const;
    CCellEdit* editor() const { return editor_; }

    // The most bytes a cell of the column may hold, as its text is stored in a file; the editor
    // takes no more there.
    void setColumnTextLimit(int column, std::size_t maxBytes);

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text);

    // Writes the rows and tab-separated cells of `text` from the current cell on, over the columns
    // from the current one to "Label"; cells beyond "Label" are left out. A block with more rows
    // than fit from the current row, or with a cell longer than its column holds, is refused
    // whole with blockRefused. The pasted cells end up selected. False when refused.
    bool pasteBlock(const QString& text);
    // The selected rectangle of cells, or the current one, as tab-separated text with a line feed
    // ending each row; a single cell as its bare text.
    QString copyBlock() const;
    void pasteFromClipboard();
    void copyToClipboard() const;

    // Typing into the grid itself does not jump to a matching cell.
    void keyboardSearch(const QString& search) override;

    // Wide enough for the row numbers and all three columns, and some fifteen rows high.
    QSize sizeHint() const override;

signals:
    // Why a paste wrote nothing, in the program's words.
    void blockRefused(const QString& message);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void updateGeometries() override;

protected slots:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void sizeCells();
    void writeRowNumbers();
    QFont buildEditorFont() const;
    void createEditor();
    void loadEditor(int row, int column);
    void storeCellText(int row, int column, const QString& text);
    void dropEdit();
    void hideEditor();
    void gridScrolled();
    // A key typed into the grid goes to the editor, which opens on the current cell if no edit
    // is open; false when no editor could be opened there.
    bool typeIntoEditor(const QKeyEvent& key);
    void moveOn();
    bool rowInView(int row) const;
    bool editorFitsCurrentRow() const;
    void revealRowAfterCurrent();
    // The first cell that a block of `rows` pasted at (row, column) would make too long, as a
    // refusal; empty when every cell fits.
    // The selected rectangle of cells, or the current cell when the selection is no rectangle.
    QTableWidgetSelectionRange copiedRange() const;
    QString overlongCell(const std::vector<QStringList>& rows, int row, int column) const;

    CCellEdit* editor_ = nullptr;
    bool hadFocus_ = false;
    // Set while the focus passes from the editor back to the grid, so that passage opens no edit.
    bool focusFromEditor_ = false;
    // The cell whose text the editor holds; -1 when none does, as after Escape.
    int editedRow_ = -1;
    int editedColumn_ = -1;
    std::array<std::size_t, kColumns> textLimits_
        = { kUnlimitedText, kUnlimitedText, kUnlimitedText };
};

} // namespace ovilan
