#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Prometheus's promtool (Debian package prometheus, which
// scripts/bootstrap.sh installs).
struct PromtoolRun {
    int exitCode = -1;
    QByteArray output; // standard output and error
};

// Why a test that needs promtool was skipped.
inline constexpr const char *kNoPromtool
    = "promtool is not installed (Debian package prometheus; scripts/bootstrap.sh installs it)";

// The promtool on PATH, or an empty text. Under CI (CI set), where it is
// always installed, a missing promtool also fails the test, so that a test
// skipped for want of it never passes there.
QString FindPromtool();

// Runs promtool with the arguments, input on its standard input, for at
// most 60 seconds.
PromtoolRun RunPromtool(const QString &promtool, const QStringList &arguments, const QByteArray &input = {});
