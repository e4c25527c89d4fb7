#pragma once

#include <QDateTime>
#include <QString>

class QImage;

// What the header band of a picture shows: the day, the latest sample's sync
// rate texts (empty after a page load starts or on Start) and the router's
// uptime as the toolbar shows it.
struct HeaderTexts {
    QDateTime now;
    QString speedUpText;
    QString speedDownText;
    QString uptimeText;
};

// Paints the header band onto a graph picture: the date "ddd dd mmm", ".",
// fifteen blanks and the rates at (20, 1); the uptime at (450, 1) only on a
// picture wider than 600 pixels. Arial 8 point at 96 pixels per inch, so a
// picture looks the same on every screen; black on a transparent background.
void AddHeader(QImage &image, const HeaderTexts &texts);
