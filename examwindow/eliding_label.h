#pragma once
// A one-line label that shows as much of its text as fits and ends it with "...", where a
// wrapping label would take three lines. The whole text stays its accessible name and its
// tool tip.

#include <QLabel>

namespace examwindow {

class ElidingLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ElidingLabel)

public:
    explicit ElidingLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    // The text as painted at the label's width.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace examwindow
