#include "dialogs/search_progress.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>

namespace ovilan {

namespace {

    constexpr qint64 kQuietMilliseconds = 500;
    constexpr int kSteps = 1000;

} // namespace

SearchProgress::SearchProgress(QWidget* parent, const QString& text)
    : parent_(parent)
    , text_(text)
{
    clock_.start();
}

SearchProgress::~SearchProgress() = default;

SearchLimits SearchProgress::limits(const SearchLimits& base)
{
    SearchLimits limits = base;
    next_ = base.progress;
    limits.progress = [this](double done) { return report(done); };
    return limits;
}

bool SearchProgress::report(double done)
{
    if (next_ && !next_(done))
        return false;
    if (!dialog_) {
        if (clock_.elapsed() < kQuietMilliseconds)
            return true;
        dialog_ = std::make_unique<QProgressDialog>(
            text_, QStringLiteral("Cancel"), 0, kSteps, parent_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
    }
    dialog_->setValue(std::clamp(static_cast<int>(done * kSteps), 0, kSteps - 1));
    QApplication::processEvents();
    return !dialog_->wasCanceled();
}

} // namespace ovilan
