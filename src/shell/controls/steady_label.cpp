#include "shell/controls/steady_label.h"

#include <QFontMetrics>
#include <QLabel>
#include <QString>

#include <algorithm>

namespace {

// The room a text needs on the label: the text itself, the label's margin
// on either side and its contents margins.
QSize NeededSize(const QLabel &label, const QString &text)
{
    const QFontMetrics metrics = label.fontMetrics();
    const QMargins margins = label.contentsMargins();
    const int extra = 2 * label.margin();
    return { metrics.horizontalAdvance(text) + extra + margins.left() + margins.right(),
        metrics.height() + extra + margins.top() + margins.bottom() };
}

} // namespace

void MakeSteady(QLabel &label, int minimumWidth)
{
    const QSize needed = NeededSize(label, label.text());
    label.setFixedSize(std::max(minimumWidth, needed.width()), needed.height());
}

void SetSteadyText(QLabel &label, const QString &text)
{
    if (label.text() == text)
        return;
    const int width = NeededSize(label, text).width();
    if (width > label.maximumWidth())
        label.setFixedWidth(width);
    label.setText(text);
}
