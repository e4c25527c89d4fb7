#include "shell/controls/tab_page_size.h"

#include "shell/windows/window_placement.h"

#include <QTabWidget>

QSize TabPageSize(const QTabWidget &pages)
{
    // The pages are children of the stacked area under the tab row.
    const QWidget *page = pages.currentWidget();
    const QWidget *area = page ? page->parentWidget() : nullptr;
    if (area && area->testAttribute(Qt::WA_Resized))
        return area->contentsRect().size();
    return GraphAreaOfWindow(pages.window()->size());
}
