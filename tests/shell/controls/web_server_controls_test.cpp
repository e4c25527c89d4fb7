#include "graphs/graph_model.h"
#include "outputs/jpeg_codec.h"
#include "outputs/web_image_server.h"
#include "shell/controls/web_server_controls.h"
#include "shell/windows/more_advanced_settings_dialog.h"

#include "support/main_window_fixture.h"
#include "support/qt_printers.h"
#include "support/raw_http_client.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace {

int OpenMessageBoxes()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<QMessageBox *>(widget) && widget->isVisible() ? 1 : 0;
    return count;
}

// The main window on a Type A router whose statistics page is known, with
// the web server stored on, at 127.0.0.1 and a port of the test's choice.
class WebServerControlsTest : public MainWindowFixture {
protected:
    void openWithWeb(const QString &port)
    {
        Settings settings = typeA();
        settings.setFlag(SettingKey::Web, true);
        settings.setText(SettingKey::WebAddress, QStringLiteral("127.0.0.1"));
        settings.setText(SettingKey::Port, port);
        settings.setText(SettingKey::webWidth, QStringLiteral("640"));
        settings.setText(SettingKey::webHeight, QStringLiteral("200"));
        settings.setFlag(SettingKey::Metrics, true);
        ASSERT_TRUE(QDir().mkpath(data.filePath(QStringLiteral("WebServer"))));
        open(settings);
    }

    WebServerControls &web() { return window->webServer(); }
    WebImageServer &server() { return monitor->webServer(); }
    // Whether the address and port can be edited, and the indicator shows.
    bool editable()
    {
        return web().boxWebAddress->isEnabled() && web().Label26->isEnabled() && web().edPort->isEnabled();
    }
    bool indicator() { return !web().Image3->isHidden(); }
};

TEST_F(WebServerControlsTest, AStoredWebSettingServesEverySampleAndMetrics)
{
    openWithWeb(QStringLiteral("0"));
    ASSERT_TRUE(server().isListening());
    EXPECT_FALSE(editable());
    EXPECT_TRUE(indicator());
    const quint16 port = server().status().port;
    EXPECT_EQ(web().cbWeb->toolTip(),
        QStringLiteral("The web server listens on 127.0.0.1, port ") + QString::number(port) + u'.');

    completeStatisticsPage();
    ASSERT_EQ(monitor->graphs().PlotCount(), 1);
    const RawHttpReply image = RawHttpClient::get(port, "/noise.jpg");
    EXPECT_EQ(image.status, 200);
    EXPECT_EQ(JpegCodec::decode(image.body).size(), QSize(640, 200));
    const QByteArray metrics = RawHttpClient::get(port, "/metrics").body;
    EXPECT_TRUE(metrics.contains("\nlinewarden_samples_total 1\n")) << metrics.constData();
    EXPECT_TRUE(metrics.contains("linewarden_run_state{state=\"running\"} 1\n")) << metrics.constData();

    // Unchecking stops it; the window's close stops it too.
    web().cbWeb->setChecked(false);
    EXPECT_FALSE(server().isListening());
    EXPECT_TRUE(editable());
    EXPECT_FALSE(indicator());
    EXPECT_EQ(web().cbWeb->toolTip(), QStringLiteral("The web server is off."));
    web().cbWeb->setChecked(true);
    EXPECT_TRUE(server().isListening());
    window->close();
    EXPECT_FALSE(server().isListening());
    EXPECT_TRUE(saved().flag(SettingKey::Web));
    EXPECT_TRUE(saved().flag(SettingKey::Metrics));
}

TEST_F(WebServerControlsTest, AWebFolderChosenInTheDialogAnswersTheNextRequest)
{
    openWithWeb(QStringLiteral("0"));
    const quint16 port = server().status().port;
    ASSERT_TRUE(data.writeFile(QStringLiteral("Elsewhere/page.html"), "elsewhere"));
    TForm7 &dialog = *window->Form7;

    // "Cancel" changes nothing; "Close" moves the server while it listens.
    dialog.edWebFolder->setText(data.filePath(QStringLiteral("Elsewhere")));
    dialog.Button2Click();
    EXPECT_EQ(RawHttpClient::get(port, "/page.html").status, 404);
    dialog.edWebFolder->setText(data.filePath(QStringLiteral("Elsewhere")));
    dialog.Button1Click();
    EXPECT_TRUE(server().isListening());
    EXPECT_EQ(RawHttpClient::get(port, "/page.html").body, QByteArray("elsewhere"));

    // The next sample's picture is written there and served from there.
    completeStatisticsPage();
    const QByteArray written = data.readFile(QStringLiteral("Elsewhere/noise.jpg"));
    EXPECT_EQ(JpegCodec::decode(written).size(), QSize(640, 200));
    EXPECT_EQ(RawHttpClient::get(port, "/noise.jpg").body, written);
}

TEST_F(WebServerControlsTest, ImageSizeBoxesHoldTheirBound)
{
    Settings settings = defaults();
    settings.setText(SettingKey::webWidth, QStringLiteral("20000"));
    settings.setText(SettingKey::webHeight, QStringLiteral("4096"));
    open(settings);
    EXPECT_EQ(web().edWidth->text(), QStringLiteral("4096"));
    EXPECT_EQ(web().edHeight->text(), QStringLiteral("4096"));
    EXPECT_TRUE(web().edWidth->toolTip().contains(QStringLiteral("at most 4096")));
    EXPECT_TRUE(web().edHeight->toolTip().contains(QStringLiteral("at most 4096")));

    // Typing is held the same way: a number above the bound is refused.
    const struct {
        const char *typed;
        QValidator::State state;
    } keys[] = {
        { "4096", QValidator::Acceptable },
        { "0640", QValidator::Acceptable },
        { "", QValidator::Acceptable },
        { "4097", QValidator::Invalid },
        { "20000", QValidator::Invalid },
        { "12a", QValidator::Invalid },
    };
    for (QLineEdit *box : { web().edWidth, web().edHeight })
        for (const auto &k : keys) {
            QString text = QString::fromLatin1(k.typed);
            int at = 0;
            EXPECT_EQ(box->validator()->validate(text, at), k.state) << k.typed;
        }

    window->close();
    EXPECT_EQ(saved().text(SettingKey::webWidth), QStringLiteral("4096"));
}

TEST_F(WebServerControlsTest, AFailedStartIsSilentAndLeavesTheBoxesEditable)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
    openWithWeb(QString::number(taken.serverPort()));
    EXPECT_TRUE(web().cbWeb->isChecked());
    EXPECT_FALSE(server().isListening());
    EXPECT_TRUE(editable());
    EXPECT_FALSE(indicator());
    EXPECT_EQ(OpenMessageBoxes(), 0);
    EXPECT_TRUE(
        web().cbWeb->toolTip().startsWith(QStringLiteral("The web server could not start on 127.0.0.1")));
}

TEST_F(WebServerControlsTest, AddressListAndItsCheck)
{
    openWithWeb(QStringLiteral("0"));
    web().cbWeb->setChecked(false);

    // With several local addresses the typed text stays.
    web().boxWebAddress->setEditText(QStringLiteral("127.0.0.1"));
    web().fillAddressList({ QStringLiteral("10.0.0.5"), QStringLiteral("192.168.1.64") });
    EXPECT_EQ(web().boxWebAddress->currentText(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(web().boxWebAddress->count(), 3);
    EXPECT_EQ(web().boxWebAddress->itemText(2), QStringLiteral("127.0.0.1"));
    web().fillAddressList({ QStringLiteral("192.168.1.64") });
    EXPECT_EQ(web().boxWebAddress->currentText(), QStringLiteral("192.168.1.64"));
    EXPECT_EQ(monitor->settings().text(SettingKey::WebAddress), QStringLiteral("192.168.1.64"));

    // Only digits and dots can be typed.
    EXPECT_FALSE(web().boxWebAddress->lineEdit()->validator() == nullptr);
    QString typed = QStringLiteral("1.2.x");
    int at = 0;
    EXPECT_EQ(web().boxWebAddress->lineEdit()->validator()->validate(typed, at), QValidator::Invalid);

    web().boxWebAddress->setEditText(QStringLiteral("1.2.3"));
    web().boxWebAddressExit();
    web().boxWebAddressExit();
    EXPECT_EQ(OpenMessageBoxes(), 1);
    QMessageBox *box = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        box = box ? box : qobject_cast<QMessageBox *>(widget);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("1.2.3 is not a valid IP address."));
    EXPECT_EQ(web().boxWebAddress->currentText(), QStringLiteral("1.2.3"));
}

TEST_F(WebServerControlsTest, ImageFailuresNeverStackBoxes)
{
    Settings settings = defaults();
    settings.setFlag(SettingKey::Web, true);
    settings.setText(SettingKey::WebAddress, QStringLiteral("127.0.0.1"));
    settings.setText(SettingKey::Port, QStringLiteral("0"));
    settings.setText(SettingKey::WebFolder, data.filePath(QStringLiteral("Missing")));
    open(settings);
    for (int i = 0; i < 3; ++i)
        web().showImageError(QStringLiteral("Web server error"));
    EXPECT_TRUE(web().imageErrorShowing());
    EXPECT_EQ(OpenMessageBoxes(), 1);
}

} // namespace
