#pragma once

#include <QSize>

class QTabWidget;

// The size every page of a tab control has while its tab is selected, in
// the window as it is now. The tab control sizes only the page it shows, so
// a page not selected since the window last changed size is no guide; the
// area the pages share under the tabs is. While the window is hidden it
// keeps the size of its last layout, which a hidden window cannot change.
// A window never shown has no layout yet: its pages get the room a window
// of its size would leave them.
QSize TabPageSize(const QTabWidget &pages);
