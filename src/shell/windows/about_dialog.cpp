#include "shell/windows/about_dialog.h"

#include "shell/windows/window_placement.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <cmath>

namespace {

constexpr int ClientWidth = 405;
constexpr int ClientHeight = 213;

// The panel's background: a pale blue wash with a faint line trace across
// it, stretched to the panel.
QPixmap BackgroundPicture()
{
    QPixmap picture(389, 160);
    QPainter painter(&picture);
    QLinearGradient wash(0, 0, 0, picture.height());
    wash.setColorAt(0, QColor(250, 252, 255));
    wash.setColorAt(1, QColor(214, 226, 246));
    painter.fillRect(picture.rect(), wash);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath trace;
    for (int x = 0; x <= picture.width(); x += 4) {
        const double y = 134 + 9 * std::sin(x / 23.0) + 5 * std::sin(x / 7.0);
        if (x == 0)
            trace.moveTo(x, y);
        else
            trace.lineTo(x, y);
    }
    painter.setPen(QPen(QColor(160, 180, 225), 2));
    painter.drawPath(trace);
    painter.setPen(QPen(QColor(205, 160, 160), 2));
    painter.drawPath(trace.translated(0, 16));
    return picture;
}

QLabel *TextLabel(const QString &text, QWidget *parent, const QPoint &at)
{
    auto *label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TForm2::TForm2(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Linewarden - About"));
    // A dialog frame with a title and no buttons on it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(ClientWidth, ClientHeight);

    Panel1 = new QLabel(this);
    Panel1->setGeometry(8, 8, ClientWidth - 16, 160);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setPixmap(BackgroundPicture());
    Panel1->setScaledContents(true);

    Label1 = new QLabel(QStringLiteral("Linewarden"), Panel1);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(29);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setStyleSheet(QStringLiteral("color: blue"));
    Label1->move(20, 14);
    Label1->adjustSize();

    Label2 = TextLabel(QString(), Panel1, QPoint(22, 56));
    Label4 = TextLabel(QStringLiteral("Line monitoring tool for the BT HomeHub 3"), Panel1, QPoint(22, 82));
    Label3 = TextLabel(QStringLiteral("The Linewarden user guide"), Panel1, QPoint(22, 106));
    QFont link = Label3->font();
    link.setUnderline(true);
    Label3->setFont(link);
    Label3->setStyleSheet(QStringLiteral("color: blue"));
    Label3->adjustSize();
    // The pointing hand shows while the mouse is over the link only.
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setToolTip(QStringLiteral("Open the user guide"));
    Label3->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setGeometry((ClientWidth - 75) / 2, 178, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate()
{
    Label2->setText(QStringLiteral("Version ") + QStringLiteral(LINEWARDEN_VERSION));
    Label2->adjustSize();
}

// The guide lies beside the settings file; the program opens it the way
// "Help..." does.
void TForm2::Label3Click()
{
    emit guideWanted();
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label3Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QPoint TForm2::centredPosition() const
{
    const QWidget *owner = parentWidget();
    return owner ? CentredOver(owner->frameGeometry(), frameGeometry().size()) : pos();
}

int TForm2::ShowModal()
{
    // The window frame's size is known once the native window exists.
    winId();
    move(centredPosition());
    return exec();
}
