#pragma once
// The check boxes of the design's platform: a 13-pixel box and a 3-pixel gap before the
// caption. Qt's own styles take a few pixels more, which the design's narrow check boxes
// ("Auto Advance") cannot spare.

#include <QProxyStyle>

namespace mainwindow {

class CheckBoxStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CheckBoxStyle)

public:
    CheckBoxStyle() = default;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};

} // namespace mainwindow
