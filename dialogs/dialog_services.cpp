#include "dialogs/dialog_services.h"

#include "dialogs/font_chooser.h"

#include <QMessageBox>

namespace ovilan {

namespace {

    class BoxMessageSink : public MessageSink {
    public:
        void show(QWidget* owner, const QString& text, MessageIcon icon) override
        {
            QMessageBox box(
                icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                QStringLiteral("Ovilan"),
                text,
                QMessageBox::Ok,
                owner);
            box.exec();
        }
    };

} // namespace

DialogServices standardDialogServices()
{
    static BoxMessageSink messages;
    static QtFontChooser fonts;
    return { messages, fonts };
}

} // namespace ovilan
