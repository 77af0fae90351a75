#include "shell/about_dialog.h"

#include "dialogs/dialog_fit.h"
#include "ovilan_version.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace ovilan {

HyperlinkLabel::HyperlinkLabel(const QString& text, const QUrl& target, QWidget* parent)
    : QLabel(text, parent)
    , target_(target)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    showColour();
}

void HyperlinkLabel::showColour()
{
    QColor colour = visited_ ? QColor(85, 26, 139) : QColor(0, 0, 238);
    if (hovered_)
        colour = QApplication::palette().color(QPalette::Highlight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void HyperlinkLabel::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    showColour();
    QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent* event)
{
    hovered_ = false;
    showColour();
    QLabel::leaveEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        visited_ = QDesktopServices::openUrl(target_);
        showColour();
        if (!visited_) {
            QApplication::beep();
            QMessageBox::warning(this,
                QStringLiteral("Ovilan"),
                QStringLiteral("Unable to open hyperlink:\n\n")
                    + QStringLiteral("There is no application associated\nwith the given "
                                     "filename extension."));
        }
    }
    QLabel::mouseReleaseEvent(event);
}

AboutDialog::AboutDialog(const QIcon& icon, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Ovilan"));
    auto* picture = new QLabel;
    picture->setPixmap(icon.pixmap(48, 48));
    auto* name = new QLabel(QStringLiteral("Ovilan"));
    QFont large(QStringLiteral("Arial"));
    large.setPointSize(16);
    large.setBold(true);
    name->setFont(large);

    QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress));
    QUrlQuery subject;
    subject.addQueryItem(QStringLiteral("subject"), QStringLiteral("Ovilan"));
    mail.setQuery(subject);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(new QLabel(QStringLiteral("Version ") + QLatin1StringView(kVersionMajorMinor)));
    auto* home = new QHBoxLayout;
    home->addWidget(new QLabel(QStringLiteral("Home Page:")));
    home->addWidget(
        new HyperlinkLabel(QString::fromLatin1(kHomePage), QUrl(QString::fromLatin1(kHomePage))));
    home->addStretch();
    text->addLayout(home);
    text->addWidget(
        new QLabel(QStringLiteral("All questions, comments and bug reports please send to")));
    text->addWidget(new HyperlinkLabel(QString::fromLatin1(kSupportAddress), mail));

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    keepDialogFitted(*this);
}

} // namespace ovilan
