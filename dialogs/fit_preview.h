#pragma once

#include "expr/expression.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace ovilan {

// The points of a table and the curve fitted to them, scaled together into the widget: how well
// the curve follows the data, seen before it is added.
class CFitPreview : public QWidget {
    Q_OBJECT

public:
    explicit CFitPreview(QWidget* parent = nullptr);

    void setPoints(std::vector<double> x, std::vector<double> y);
    // The fitted curve's normal form in x; nothing to show the points alone.
    void setCurve(std::optional<Expression> curve);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> x_;
    std::vector<double> y_;
    std::optional<Expression> curve_;
};

} // namespace ovilan
