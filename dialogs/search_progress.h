#pragma once

#include "analysis/search_limits.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace ovilan {

// The progress of one search, for the limits it runs under: a progress dialog with Cancel shows
// when the search has run for half a second, and the window stays responsive meanwhile.
class SearchProgress {
public:
    SearchProgress(QWidget* parent, const QString& text);
    ~SearchProgress();
    SearchProgress(const SearchProgress&) = delete;
    SearchProgress& operator=(const SearchProgress&) = delete;

    // `base` with its progress reported here and then to base's own callback, which may cancel
    // as well; the result refers to this object.
    SearchLimits limits(const SearchLimits& base);

private:
    bool report(double done);

    QWidget* parent_;
    QString text_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
    std::function<bool(double done)> next_;
};

} // namespace ovilan
