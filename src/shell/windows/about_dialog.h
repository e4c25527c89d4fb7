#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "Linewarden - About": the program's name, version and tag line over a
// background picture, a link to the user guide, and "Close".
// Created once at start and shown on request, centred over its parent.
class TForm2 final : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent);
    ~TForm2() override;
    Q_DISABLE_COPY_MOVE(TForm2)

    // Placed centred over the parent window and shown modally.
    int ShowModal();
    // The place that centres the window over its parent.
    QPoint centredPosition() const;

    QLabel *Panel1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *Button1 = nullptr;

    void Label3Click();

signals:
    // The link was clicked: the user guide is wanted, as by "Help...".
    void guideWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
};
