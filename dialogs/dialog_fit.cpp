#include "dialogs/dialog_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

namespace ovilan {

namespace {

    QFont titleBarFont()
    {
        QFont font = QApplication::font("QMdiSubWindowTitleBar");
        // Title bars set their text in bold; measuring it so never leaves the text short.
        font.setBold(true);
        return font;
    }

    // What a title bar of `width` pixels keeps for its buttons and icon, as the style lays it out.
    int titleBarFurniture(const QWidget& window, int width)
    {
        QStyleOptionTitleBar option;
        option.initFrom(&window);
        option.rect = { 0, 0, width, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) };
        // Every button a window manager may show, whatever the dialog asks for: many put minimise
        // and maximise on dialogs too, and some one more (help, shade or keep above).
        option.titleBarFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint
            | Qt::WindowContextHelpButtonHint;
        option.titleBarState = Qt::WindowNoState;
        const QRect label = window.style()->subControlRect(
            QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, &window);
        return width - label.width();
    }

    // Watches one dialog: fits it to its contents when it first shows, and keeps its minimum width
    // at the larger of what its layout and its title need.
    class DialogFitter : public QObject {
    public:
        explicit DialogFitter(QDialog& dialog)
            : QObject(&dialog)
            , dialog_(dialog)
        {
            dialog.installEventFilter(this);
        }

        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched != &dialog_)
                return false;
            switch (event->type()) {
            case QEvent::Show:
                keepMinimumWidth();
                if (!shown_) {
                    shown_ = true;
                    growToContents();
                }
                break;
            case QEvent::LayoutRequest:
            case QEvent::WindowTitleChange:
            case QEvent::FontChange:
            case QEvent::StyleChange:
                keepMinimumWidth();
                break;
            default:
                break;
            }
            return false;
        }

    private:
        int layoutMinimumWidth() const
        {
            const QLayout* layout = dialog_.layout();
            return layout ? layout->totalMinimumSize().width() : dialog_.minimumSizeHint().width();
        }

        void keepMinimumWidth()
        {
            const int width = std::max(layoutMinimumWidth(), titleBarWidth(dialog_));
            if (dialog_.minimumWidth() != width)
                dialog_.setMinimumWidth(width);
        }

        // The window manager's frame and title bar, which the screen must hold as well.
        QSize frameAround() const
        {
            const QStyle& style = *dialog_.style();
            const int border = 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth);
            return { border, border + style.pixelMetric(QStyle::PM_TitleBarHeight) };
        }

        // Before Qt centres the dialog over its owner, so it is centred at its final size.
        void growToContents()
        {
            QSize wanted = dialog_.sizeHint().expandedTo(dialog_.size());
            wanted = wanted.expandedTo(dialog_.minimumSize());
            if (const QScreen* screen = dialog_.screen())
                wanted = wanted.boundedTo(screen->availableGeometry().size() - frameAround());
            if (wanted != dialog_.size())
                dialog_.resize(wanted);
        }

        QDialog& dialog_;
        bool shown_ = false;
    };

} // namespace

int titleBarWidth(const QWidget& window)
{
    const QFontMetrics metrics(titleBarFont());
    const int text = metrics.horizontalAdvance(window.windowTitle());
    // A reference width wide enough for every button, so none is dropped from the layout.
    constexpr int kReferenceWidth = 1000;
    // Title bars keep some room on either side of the text they centre.
    const int padding = 2 * metrics.averageCharWidth();
    return text + padding + titleBarFurniture(window, kReferenceWidth);
}

void keepDialogFitted(QDialog& dialog) { new DialogFitter(dialog); }

} // namespace ovilan
