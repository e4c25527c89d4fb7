#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

class QWidget;

// A message box that does not block and never stacks: showing a message
// while the previous one is still open puts the new text into that box
// instead of opening another. For messages that can come again on their own
// (every sample, say), which would otherwise bury the window in boxes.
class OneMessageBox final {
public:
    explicit OneMessageBox(QWidget *parent) : m_parent(parent) { }

    void show(const QString &text);
    bool isOpen() const { return !m_box.isNull(); }
    QMessageBox *box() const { return m_box.data(); }

private:
    QWidget *m_parent;
    QPointer<QMessageBox> m_box;
};
