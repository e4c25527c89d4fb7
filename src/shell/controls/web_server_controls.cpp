#include "shell/controls/web_server_controls.h"

#include "base/ipv4_address.h"
#include "base/settings.h"
#include "base/settings_bindings.h"
#include "base/web_image_size.h"
#include "outputs/web_image_server.h"
#include "outputs/web_settings.h"
#include "shell/controls/control_bindings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace {

const QString Loopback = QStringLiteral("127.0.0.1");

// Only what the keys may type into the box: digits, and "." where asked.
void AcceptOnly(QLineEdit *edit, const QString &characters)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(characters + u'*'), edit));
}

QLineEdit *NumberBox(QWidget *parent, int width)
{
    auto *edit = new QLineEdit(parent);
    edit->setFixedWidth(width);
    AcceptOnly(edit, QStringLiteral("[0-9]"));
    return edit;
}

// A web image size box: digits only, and no number above the bound, which
// is refused as a spin box refuses it.
QLineEdit *SizeBox(QWidget *parent, const QString &hint)
{
    static_assert(kWebImageSideMax == 4096, "the pattern below spells the bound out");
    auto *edit = new QLineEdit(parent);
    edit->setFixedWidth(60);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("0*([0-9]{0,3}|[1-3][0-9]{3}|40[0-8][0-9]|409[0-6])")), edit));
    edit->setToolTip(hint);
    return edit;
}

QString SizeHint(const QString &side, int fallback)
{
    return QStringLiteral("%1 of the web image noise.jpg in pixels, at most %2 (%3 when empty)")
        .arg(side)
        .arg(kWebImageSideMax)
        .arg(fallback);
}

// A size box's key: a stored number above the bound (a hand-edited file)
// comes into the box held at the bound, and so goes back into the settings,
// as a spin box holds a value within its range.
void BindSizeBox(SettingsBindings &bindings, Settings &settings, SettingKey key, QLineEdit *edit)
{
    bindings.bind(key, [&settings, key, edit] { edit->setText(HeldWebImageSide(settings.text(key))); });
    QObject::connect(edit, &QLineEdit::textChanged, edit,
        [&settings, key](const QString &text) { settings.setText(key, text); });
}

} // namespace

WebServerControls::WebServerControls(WebImageServer &server, Settings &settings, QWidget *owner)
    : QObject(owner), m_server(server), m_settings(settings), m_imageError(owner), m_addressError(owner)
{
    buildGroup(owner);
    buildIndicator(owner);
    connect(cbWeb, &QCheckBox::toggled, this, &WebServerControls::cbWebClick);
    connect(cbMetrics, &QCheckBox::toggled, this, [this](bool on) { m_server.setMetrics(on); });
    // The box or its edit line holds the focus, depending on the style.
    m_watchedBox = boxWebAddress;
    m_watchedEdit = boxWebAddress->lineEdit();
    m_watchedBox->installEventFilter(this);
    m_watchedEdit->installEventFilter(this);
    cbWeb->setToolTip(WebServerHint(m_server.status()));
}

void WebServerControls::buildGroup(QWidget *owner)
{
    Group = new QWidget(owner);
    auto *grid = new QGridLayout(Group);
    grid->setContentsMargins(0, 0, 0, 0);

    cbWeb = new QCheckBox(QStringLiteral("Web server"), Group);
    boxWebAddress = new QComboBox(Group);
    boxWebAddress->setEditable(true);
    boxWebAddress->setInsertPolicy(QComboBox::NoInsert);
    boxWebAddress->setMinimumWidth(130);
    AcceptOnly(boxWebAddress->lineEdit(), QStringLiteral("[0-9.]"));
    Label26 = new QLabel(QStringLiteral(":"), Group);
    edPort = NumberBox(Group, 60);
    auto *where = new QHBoxLayout;
    where->addWidget(boxWebAddress);
    where->addWidget(Label26);
    where->addWidget(edPort);
    where->addStretch(1);
    grid->addWidget(cbWeb, 0, 0);
    grid->addLayout(where, 0, 1);

    edWidth = SizeBox(Group, SizeHint(QStringLiteral("Width"), kWebImageFallbackSize.width()));
    edHeight = SizeBox(Group, SizeHint(QStringLiteral("Height"), kWebImageFallbackSize.height()));
    auto *size = new QHBoxLayout;
    size->addWidget(edWidth);
    size->addWidget(new QLabel(QStringLiteral("x"), Group));
    size->addWidget(edHeight);
    size->addStretch(1);
    grid->addWidget(new QLabel(QStringLiteral("Web image size (w x h)"), Group), 1, 0);
    grid->addLayout(size, 1, 1);

    cbMetrics = new QCheckBox(QStringLiteral("Publish line figures for Prometheus at /metrics"), Group);
    grid->addWidget(cbMetrics, 2, 0, 1, 2);
}

// The indicator sits in a holder of its own, so hiding it works the same
// wherever the holder is placed.
void WebServerControls::buildIndicator(QWidget *owner)
{
    Indicator = new QWidget(owner);
    auto *layout = new QHBoxLayout(Indicator);
    layout->setContentsMargins(4, 0, 4, 0);
    Image3 = new QLabel(Indicator);
    Image3->setPixmap(QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(24, 24));
    Image3->setToolTip(QStringLiteral("Web server on"));
    Image3->hide();
    layout->addWidget(Image3);
}

// The keys load in the order address, port, size, /metrics and last Web, so
// a stored Web starts the server on the stored address and port.
void WebServerControls::bindSettings(SettingsBindings &bindings)
{
    BindLineEdit(bindings, m_settings, SettingKey::WebAddress, boxWebAddress->lineEdit());
    BindLineEdit(bindings, m_settings, SettingKey::Port, edPort);
    BindSizeBox(bindings, m_settings, SettingKey::webWidth, edWidth);
    BindSizeBox(bindings, m_settings, SettingKey::webHeight, edHeight);
    BindCheckBox(bindings, m_settings, SettingKey::Metrics, cbMetrics);
    BindCheckBox(bindings, m_settings, SettingKey::Web, cbWeb);
}

void WebServerControls::fillAddressList(const QStringList &localAddresses)
{
    const QString typed = boxWebAddress->currentText();
    boxWebAddress->clear();
    boxWebAddress->addItems(localAddresses);
    boxWebAddress->addItem(Loopback);
    if (localAddresses.size() == 1) {
        boxWebAddress->setCurrentIndex(0);
    } else {
        boxWebAddress->setCurrentIndex(-1);
        boxWebAddress->setEditText(typed);
    }
}

QStringList WebServerControls::LocalIPv4Addresses()
{
    QStringList addresses;
    const QList<QHostAddress> all = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : all) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            addresses.append(address.toString());
    }
    return addresses;
}

void WebServerControls::cbWebClick()
{
    if (!cbWeb->isChecked())
        m_server.stop();
    else if (!m_server.isListening())
        m_server.start(WebSettings(m_settings).webFolder(), boxWebAddress->currentText(), edPort->text());
    const bool listening = m_server.isListening();
    boxWebAddress->setEnabled(!listening);
    Label26->setEnabled(!listening);
    edPort->setEnabled(!listening);
    Image3->setVisible(cbWeb->isChecked() && listening);
    cbWeb->setToolTip(WebServerHint(m_server.status()));
}

void WebServerControls::followWebFolder()
{
    m_server.setWebFolder(WebSettings(m_settings).webFolder());
}

void WebServerControls::boxWebAddressExit()
{
    const QString text = boxWebAddress->currentText();
    if (!IsValidIPv4(text))
        m_addressError.show(text + QStringLiteral(" is not a valid IP address."));
}

void WebServerControls::showImageError(const QString &message)
{
    m_imageError.show(message);
}

bool WebServerControls::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the box for another control; not a switch to another window
    // or the box's own list. Focus also moves while the window's widgets are
    // destroyed; a box already on its way out (no longer a whole combo box)
    // is not asked for anything.
    const bool box = watched == m_watchedBox || watched == m_watchedEdit;
    if (box && event->type() == QEvent::FocusOut && qobject_cast<QComboBox *>(m_watchedBox)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            boxWebAddressExit();
    }
    return QObject::eventFilter(watched, event);
}
