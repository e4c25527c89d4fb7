#pragma once

#include <QObject>
#include <QString>

#include <functional>

class CaptureRules;
class GraphCapture;
class GraphPanels;
class LineMonitor;
class QAction;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

// The dialogs the capture controls open. Each has the desktop's own by
// default; tests answer them instead.
struct CaptureDialogs {
    // The folder picker titled "Select folder"; empty on Cancel.
    std::function<QString(QWidget *parent)> pickFolder;
    // Runs the picture save dialog as configured; the chosen path, empty on
    // Cancel.
    std::function<QString(QFileDialog &dialog)> askSavePath;
    // A message box with a fixed text, and one reporting a failure.
    std::function<void(QWidget *parent, const QString &text)> inform;
    std::function<void(QWidget *parent, const QString &text)> reportError;
};

// The main window's image capture: the capture folder fields of the
// "Graphs" group (edCapture, "Browse...", the three check boxes), the
// toolbar's "Capture" and "View" buttons and the two indicators, the File
// and Configure menu items, the picture save dialog and the router page's picture. It
// owns the capture of the graphs and the state of the automatic rules; the
// window places the widgets.
class CaptureControls final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaptureControls)

public:
    // pages is the window's tab control; window parents the widgets and the
    // dialogs until they are placed.
    CaptureControls(LineMonitor &monitor, GraphPanels &graphs, QTabWidget *pages, QWidget *window);
    ~CaptureControls() override;

    GraphCapture &capture() { return *m_capture; }
    CaptureRules &rules() { return *m_rules; }

    // The "Graphs" group that the capture fields sit in: highlighted by
    // "Configure Image Capture..." and by a missing folder.
    void setGraphsGroup(QGroupBox *group) { m_graphsGroup = group; }

    // The creation steps once the settings are applied: the program's
    // "Capture" folder is created when missing, the buttons follow the
    // folder and the indicators the options.
    void startUp();

    void btnCaptureClick(); // capture of all graphs
    void mnuCaptureVisibleClick();
    void mnuSaveAsClick();
    void File1Click(); // File menu opening: captions by the selected tab
    void ConfigureMenuOpened(); // only the Start or the Stop item shows
    void mnuStartCaptureClick();
    void mnuStopCaptureClick();
    void mnuConfigCapClick();
    void btnBrowseClick();
    void edCaptureChange();
    void edCaptureExit();
    // The window is closing: all graphs once more, when chosen and more
    // than two samples were plotted.
    void captureOnClose();
    // "Save ADSL Line Stats Image As..." over the browser view's widget.
    void mnuSaveImageClick(QWidget *browserWidget);
    // Any tab change takes the highlight of the "Graphs" group away.
    void clearGraphsHighlight();

    CaptureDialogs dialogs;

    QWidget *CaptureFields = nullptr; // for the "Graphs" group
    QLineEdit *edCapture = nullptr;
    QPushButton *btnBrowse = nullptr;
    QCheckBox *cbCapture = nullptr;
    QCheckBox *cbOnlyIfLost = nullptr;
    QCheckBox *cbCaptureOnClose = nullptr;
    QToolButton *btnCapture = nullptr; // for the toolbar
    QToolButton *btnViewCap = nullptr; // for the toolbar: opens the image viewer
    QWidget *Indicators = nullptr; // for the toolbar: Image1 and Image2
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QAction *mnuCaptureVisible = nullptr; // File
    QAction *mnuCaptureAll = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuStartCapture = nullptr; // Configure
    QAction *mnuStopCapture = nullptr;
    QAction *mnuConfigCap = nullptr;
    QFileDialog *SavePictureDialog1 = nullptr;

private:
    void createFields(QWidget *window);
    void createToolbarItems(QWidget *window);
    void createMenuItems(QWidget *window);
    void createSaveDialog(QWidget *window);
    void optionClicked(QCheckBox *other, bool checked);
    void showIndicators();
    void highlightGraphsGroup(bool on);
    QString askSavePath(const QString &folder);
    bool folderExists() const;

    LineMonitor &m_monitor;
    QTabWidget *m_pages = nullptr;
    QWidget *m_window = nullptr;
    QGroupBox *m_graphsGroup = nullptr;
    GraphCapture *m_capture = nullptr; // child of this
    CaptureRules *m_rules = nullptr; // child of this
};
