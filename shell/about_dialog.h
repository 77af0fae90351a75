#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>

namespace ovilan {

inline constexpr char kHomePage[] = "https://ovilan.quenbrix.example/";
inline constexpr char kSupportAddress[] = "support@quenbrix.example";

// A link drawn as a web browser draws one: underlined, blue until it was opened, purple after,
// the highlight colour under the pointer, which becomes a hand.
class HyperlinkLabel : public QLabel {
    Q_OBJECT

public:
    HyperlinkLabel(const QString& text, const QUrl& target, QWidget* parent = nullptr);
    bool visited() const { return visited_; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showColour();

    QUrl target_;
    bool visited_ = false;
    bool hovered_ = false;
};

// "About Ovilan": the icon, the name, the version and the two links.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(const QIcon& icon, QWidget* parent = nullptr);
};

} // namespace ovilan
