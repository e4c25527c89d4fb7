#include "shell/controls/capture_controls.h"

#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "graphs/graph_panels.h"
#include "outputs/capture_rules.h"
#include "outputs/graph_capture.h"
#include "outputs/jpeg_codec.h"
#include "sampling/browser_view.h"
#include "sampling/sample_cycle.h"
#include "shell/controls/router_page_image.h"
#include "shell/controls/tab_page_size.h"
#include "shell/program/line_monitor.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolButton>

namespace {

const QString NoFolderText = QStringLiteral("Please select a suitable folder in which to capture the images");

// The tabs of the four graphs.
constexpr int FirstGraphPage = 1;
constexpr int LastGraphPage = 4;

CaptureDialogs DesktopDialogs()
{
    CaptureDialogs dialogs;
    dialogs.pickFolder = [](QWidget *parent) {
        // Rooted at the desktop; folders only, with a field to type a path.
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Select folder"),
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), QFileDialog::ShowDirsOnly);
    };
    dialogs.askSavePath = [](QFileDialog &dialog) {
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    dialogs.inform = [](QWidget *parent, const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Linewarden"), text);
    };
    dialogs.reportError = [](QWidget *parent, const QString &text) {
        QMessageBox::critical(parent, QStringLiteral("Linewarden"), text);
    };
    return dialogs;
}

QLabel *Indicator(const QString &bitmap, const QString &hint, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(QPixmap(QStringLiteral(":/bitmaps/") + bitmap + QStringLiteral(".png")));
    label->setToolTip(hint);
    label->hide();
    return label;
}

} // namespace

CaptureControls::CaptureControls(
    LineMonitor &monitor, GraphPanels &graphs, QTabWidget *pages, QWidget *window)
    : QObject(window), dialogs(DesktopDialogs()), m_monitor(monitor), m_pages(pages), m_window(window)
{
    m_capture = new GraphCapture(
        graphs.charts(), monitor.graphs(), monitor.sample(), monitor.clock(), monitor.settings(), this);
    // Every graph is drawn at the size its tab page has, selected or not.
    m_capture->setPageSize([this] { return TabPageSize(*m_pages); });
    m_rules = new CaptureRules(monitor.settings(), this);
    createFields(window);
    createToolbarItems(window);
    createMenuItems(window);
    createSaveDialog(window);

    connect(m_rules, &CaptureRules::indicatorsChanged, this, &CaptureControls::showIndicators);
    connect(&graphs, &GraphPanels::captureVisibleWanted, this, &CaptureControls::mnuCaptureVisibleClick);
    connect(&graphs, &GraphPanels::saveVisibleAsWanted, this, &CaptureControls::mnuSaveAsClick);
    connect(&graphs, &GraphPanels::captureAllWanted, this, &CaptureControls::btnCaptureClick);
    connect(pages, &QTabWidget::currentChanged, this, &CaptureControls::clearGraphsHighlight);
}

CaptureControls::~CaptureControls() = default;

void CaptureControls::createFields(QWidget *window)
{
    CaptureFields = new QWidget(window);
    auto *grid = new QGridLayout(CaptureFields);
    grid->setContentsMargins(0, 0, 0, 0);
    edCapture = new QLineEdit(CaptureFields);
    btnBrowse = new QPushButton(QStringLiteral("Browse..."), CaptureFields);
    cbCapture
        = new QCheckBox(QStringLiteral("Capture each page of graph images automatically"), CaptureFields);
    cbOnlyIfLost
        = new QCheckBox(QStringLiteral("Capture graph images only if connection is lost"), CaptureFields);
    cbCaptureOnClose
        = new QCheckBox(QStringLiteral("Capture graph images when Linewarden closes"), CaptureFields);
    grid->addWidget(new QLabel(QStringLiteral("Save images in this folder:"), CaptureFields), 0, 0, 1, 2);
    grid->addWidget(edCapture, 1, 0);
    grid->addWidget(btnBrowse, 1, 1);
    grid->addWidget(cbCapture, 2, 0, 1, 2);
    grid->addWidget(cbOnlyIfLost, 3, 0, 1, 2);
    grid->addWidget(cbCaptureOnClose, 4, 0, 1, 2);

    connect(edCapture, &QLineEdit::textChanged, this, &CaptureControls::edCaptureChange);
    connect(edCapture, &QLineEdit::editingFinished, this, &CaptureControls::edCaptureExit);
    connect(btnBrowse, &QPushButton::clicked, this, &CaptureControls::btnBrowseClick);
    connect(
        cbCapture, &QCheckBox::toggled, this, [this](bool checked) { optionClicked(cbOnlyIfLost, checked); });
    connect(
        cbOnlyIfLost, &QCheckBox::toggled, this, [this](bool checked) { optionClicked(cbCapture, checked); });
}

void CaptureControls::createToolbarItems(QWidget *window)
{
    btnCapture = new QToolButton(window);
    btnCapture->setObjectName(QStringLiteral("btnCapture"));
    btnCapture->setText(QStringLiteral("Capture"));
    btnCapture->setToolTip(QStringLiteral("Capture all graph images now"));
    btnCapture->setEnabled(false);
    connect(btnCapture, &QToolButton::clicked, this, &CaptureControls::btnCaptureClick);

    // The viewer itself belongs to the window, which places it.
    btnViewCap = new QToolButton(window);
    btnViewCap->setObjectName(QStringLiteral("btnViewCap"));
    btnViewCap->setText(QStringLiteral("View"));
    btnViewCap->setToolTip(QStringLiteral("View graph images"));
    btnViewCap->setEnabled(false);

    Indicators = new QWidget(window);
    auto *row = new QHBoxLayout(Indicators);
    row->setContentsMargins(4, 0, 4, 0);
    Image1 = Indicator(
        QStringLiteral("capturebitmap"), QStringLiteral("Each page of graphs is captured"), Indicators);
    Image2 = Indicator(QStringLiteral("lostsyncbitmap"),
        QStringLiteral("Graphs are captured if the connection is lost"), Indicators);
    row->addWidget(Image1);
    row->addWidget(Image2);
}

void CaptureControls::createMenuItems(QWidget *window)
{
    mnuCaptureVisible = new QAction(QStringLiteral("Capture visible graph"), window);
    mnuCaptureAll = new QAction(QStringLiteral("Capture All Graphs Images"), window);
    mnuSaveAs = new QAction(QStringLiteral("Save visible graph As..."), window);
    mnuStartCapture = new QAction(QStringLiteral("Start Image Capture"), window);
    mnuStopCapture = new QAction(QStringLiteral("Stop Image Capture"), window);
    mnuConfigCap = new QAction(QStringLiteral("Configure Image Capture..."), window);
    connect(mnuCaptureVisible, &QAction::triggered, this, &CaptureControls::mnuCaptureVisibleClick);
    connect(mnuCaptureAll, &QAction::triggered, this, &CaptureControls::btnCaptureClick);
    connect(mnuSaveAs, &QAction::triggered, this, &CaptureControls::mnuSaveAsClick);
    connect(mnuStartCapture, &QAction::triggered, this, &CaptureControls::mnuStartCaptureClick);
    connect(mnuStopCapture, &QAction::triggered, this, &CaptureControls::mnuStopCaptureClick);
    connect(mnuConfigCap, &QAction::triggered, this, &CaptureControls::mnuConfigCapClick);
}

void CaptureControls::createSaveDialog(QWidget *window)
{
    SavePictureDialog1 = new QFileDialog(window);
    SavePictureDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SavePictureDialog1->setFileMode(QFileDialog::AnyFile);
    SavePictureDialog1->setNameFilter(QStringLiteral("JPEG Image File (*.jpg)"));
    SavePictureDialog1->setDefaultSuffix(QStringLiteral("jpg"));
    // Asking before an existing file is overwritten is the dialog's default.
    SavePictureDialog1->setOption(QFileDialog::DontConfirmOverwrite, false);
}

void CaptureControls::startUp()
{
    edCaptureChange();
    m_rules->optionsChanged(cbCapture->isChecked(), cbOnlyIfLost->isChecked());
    showIndicators();
}

// The folder the box names; its setting catches up with a change only
// after the box's own reaction has run.
bool CaptureControls::folderExists() const
{
    return QFileInfo(edCapture->text()).isDir();
}

void CaptureControls::btnCaptureClick()
{
    m_capture->captureAll();
}

void CaptureControls::mnuCaptureVisibleClick()
{
    // Minimised to the tray, there is nobody to tell: the capture is tried.
    if (!folderExists() && m_window->isVisible()) {
        dialogs.inform(m_window, NoFolderText);
        highlightGraphsGroup(true);
        return;
    }
    const int page = m_pages->currentIndex();
    m_capture->captureVisible(page, m_pages->tabText(page));
}

void CaptureControls::mnuSaveAsClick()
{
    const QImage picture = m_capture->drawGraph(m_capture->visibleChart(m_pages->currentIndex()));
    const QString path = askSavePath(edCapture->text());
    if (path.isEmpty())
        return;
    QString error;
    if (!m_capture->savePicture(picture, path, &error))
        dialogs.reportError(m_window, error);
}

QString CaptureControls::askSavePath(const QString &folder)
{
    SavePictureDialog1->setDirectory(folder);
    SavePictureDialog1->selectFile(QString());
    return dialogs.askSavePath(*SavePictureDialog1);
}

void CaptureControls::File1Click()
{
    const int page = m_pages->currentIndex();
    const bool graphPage = page >= FirstGraphPage && page <= LastGraphPage;
    mnuCaptureVisible->setVisible(graphPage);
    mnuCaptureAll->setVisible(graphPage);
    mnuSaveAs->setVisible(graphPage);
    if (!graphPage)
        return;
    QString name = m_pages->tabText(page);
    if (page == 1)
        name = QStringLiteral("Noise Margin");
    else if (page == 2)
        name = QStringLiteral("Connection Speed");
    mnuCaptureVisible->setText(QStringLiteral("Capture ") + name + QStringLiteral(" Graph Image"));
    mnuSaveAs->setText(QStringLiteral("Save ") + name + QStringLiteral(" Graph Image As..."));
}

void CaptureControls::ConfigureMenuOpened()
{
    mnuStartCapture->setVisible(!cbCapture->isChecked());
    mnuStopCapture->setVisible(cbCapture->isChecked());
}

void CaptureControls::mnuStartCaptureClick()
{
    if (!folderExists())
        btnBrowseClick();
    cbCapture->setChecked(folderExists());
}

void CaptureControls::mnuStopCaptureClick()
{
    cbCapture->setChecked(false);
}

void CaptureControls::mnuConfigCapClick()
{
    highlightGraphsGroup(true);
}

void CaptureControls::btnBrowseClick()
{
    const QString folder = dialogs.pickFolder(m_window);
    if (!folder.isEmpty())
        edCapture->setText(QDir::toNativeSeparators(folder));
}

void CaptureControls::edCaptureChange()
{
    const bool exists = folderExists();
    btnCapture->setEnabled(exists);
    btnViewCap->setEnabled(exists);
    mnuCaptureVisible->setEnabled(exists);
    mnuCaptureAll->setEnabled(exists);
    edCapture->setToolTip(edCapture->text());
}

void CaptureControls::edCaptureExit()
{
    // A trailing separator goes, the root folder's own excepted.
    const QString folder = edCapture->text();
    if (folder.size() > 1 && folder.endsWith(u'/'))
        edCapture->setText(folder.chopped(1));
    btnCapture->setEnabled(folderExists());
}

void CaptureControls::captureOnClose()
{
    if (cbCaptureOnClose->isChecked() && m_monitor.graphs().PlotCount() > 2)
        btnCaptureClick();
}

void CaptureControls::mnuSaveImageClick(QWidget *browserWidget)
{
    SampleCycle &cycle = m_monitor.cycle();
    BrowserView &view = m_monitor.view();
    cycle.stopSampleTimer();
    view.scrollBy(0, -300);
    view.scrollBy(0, 270);
    const QString path = askSavePath(edCapture->text());
    if (!path.isEmpty() && view.document() && browserWidget) {
        const QImage picture = RouterPageImage(*browserWidget);
        QString error;
        if (!picture.isNull() && !JpegCodec::save(picture, path, &error))
            dialogs.reportError(m_window, error);
    }
    cycle.restartSampleTimerIfRunning();
}

void CaptureControls::clearGraphsHighlight()
{
    highlightGraphsGroup(false);
}

// The two options exclude each other; both may be off.
void CaptureControls::optionClicked(QCheckBox *other, bool checked)
{
    if (checked)
        other->setChecked(false);
    m_rules->optionsChanged(cbCapture->isChecked(), cbOnlyIfLost->isChecked());
}

void CaptureControls::showIndicators()
{
    Image1->setVisible(m_rules->image1Visible());
    Image2->setVisible(m_rules->image2Visible());
}

void CaptureControls::highlightGraphsGroup(bool on)
{
    if (!m_graphsGroup)
        return;
    m_graphsGroup->setAutoFillBackground(on);
    QPalette palette;
    if (on) {
        palette = m_graphsGroup->palette();
        palette.setColor(QPalette::Window, Qt::white);
    }
    m_graphsGroup->setPalette(palette);
}
