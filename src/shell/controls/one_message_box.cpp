#include "shell/controls/one_message_box.h"

void OneMessageBox::show(const QString &text)
{
    if (m_box) {
        m_box->setText(text);
        return;
    }
    m_box = new QMessageBox(
        QMessageBox::Warning, QStringLiteral("Linewarden"), text, QMessageBox::Ok, m_parent);
    m_box->setAttribute(Qt::WA_DeleteOnClose);
    m_box->open();
}
